#include "ops/eprom_programming.h"

namespace burnlab {
namespace {

constexpr std::int16_t kModel4ProgrammingBase = 0x4C;   // OE released, activity, model 4's supply
constexpr std::int16_t kModel56ProgrammingBase = 0x48;  // OE released, activity
constexpr std::int16_t k21VoltBits = 0x02;
constexpr std::int16_t k25VoltBits = 0x03;
constexpr std::int16_t kVppOnPin3 = 0x10;  // VPP of 28-pin EPROMs (their pin 1)
constexpr std::int16_t kVppOnPin1 = 0x20;  // VPP of 32-pin EPROMs
constexpr int kVppSettlingMs = 1500;
// The attempt counter starts here for every byte, so a byte gets at most 254 pulses; below
// kLengthenedBelow (from the 56th pulse on) each pulse is lengthened.
constexpr std::int16_t kAttemptCounterStart = 255;
constexpr std::int16_t kLengthenedBelow = 200;

using Routine = EpromProgramming::Routine;

constexpr Routine k2732{.selectsVoltage = true,
                        .readsBeforeWriting = true,
                        .releasesVppToRead = true,
                        .blinkMask = 63,
                        .pulse = &EpromPulses::pulse2732};
constexpr Routine k2764_128{.selectsVoltage = true,
                            .routineBits = kVppOnPin3,
                            .holdsChipEnabled = true,
                            .pulse = &EpromPulses::pulse2764_128};
// The 27256 class and the 27C040 class share their pulses; the 28-pin parts take VPP on their
// pin 1, the 32-pin ones on theirs.
constexpr Routine k27256{.routineBits = kVppOnPin3, .pulse = &EpromPulses::pulse27256_040};
constexpr Routine k27C040{.routineBits = kVppOnPin1, .pulse = &EpromPulses::pulse27256_040};
constexpr Routine k27080{.readsBeforeWriting = true,
                         .loadsAddressToWrite = false,
                         .blinkMask = 1023,
                         .pulse = &EpromPulses::pulse27080};
constexpr Routine k27010_020{
    .chipEnabledAtStart = true, .routineBits = kVppOnPin1, .pulse = &EpromPulses::pulse27010_020};

}  // namespace

void EpromProgramming::P2732() {
  programEprom(k2732);
}
void EpromProgramming::P2764_128() {
  programEprom(k2764_128);
}
void EpromProgramming::P27080() {
  programEprom(k27080);
}
void EpromProgramming::P27010_020() {
  programEprom(k27010_020);
}
void EpromProgramming::P27256() {
  programEprom(k27256);
}
void EpromProgramming::P27C040() {
  programEprom(k27C040);
}

void EpromProgramming::programEprom(const Routine& routine) {
  auto& board = c_.board;
  prepareLines(routine);
  setProgrammingVoltage(routine);
  if (routine.selectsVoltage && c_.device.ProgVoltage > 12) {
    c_.log.LogLine("Wait 1500ms second VPP Settling");
    c_.pause(kVppSettlingMs);
  }
  c_.log.LogLine("Programming Started... Wait ");
  if (routine.readsBeforeWriting) {
    board.OEON();
    board.REG4OFF();  // the first read before writing finds the bus free; the pulses leave it so
  }

  const auto& image = c_.options.image;
  for (std::int32_t a = 0; a < image.ProgramSize; ++a) {
    run_.ProgramByte = image.bytes[static_cast<std::size_t>(a)];
    if (routine.readsBeforeWriting) readBeforeWriting(routine);
    if (run_.ProgramByte != 0xFF) {  // FFh is the erased state: nothing to write
      if (routine.loadsAddressToWrite) board.SETADR();
      if (routine.holdsChipEnabled) board.CEON();
      if (!programByte(routine)) return;
    }
    board.address.IncADR();
    if ((a & routine.blinkMask) == 0) board.BlinkProgramLamp();
    run_.GoProgressiveBar1();
  }
  if (routine.holdsChipEnabled) board.CEOFF();
}

void EpromProgramming::prepareLines(const Routine& routine) {
  auto& board = c_.board;
  if (routine.chipEnabledAtStart) {
    board.CEON();
    board.OEOFF();
  } else {
    board.REG4ON();
    board.CEOEOFF();
  }
}

void EpromProgramming::setProgrammingVoltage(const Routine& routine) {
  auto& board = c_.board;
  const bool model56 = board.Model == 5 || board.Model == 6;
  if (board.Model == 4) board.Reg0 = kModel4ProgrammingBase;
  if (model56) board.Reg0 = kModel56ProgrammingBase;
  // Only the boards of models 5 and 6 select the voltage, and only for parts that take more.
  if (routine.selectsVoltage && model56 && c_.device.VppClass == 3) {
    if (c_.device.ProgVoltage == 21) board.Reg0 |= k21VoltBits;
    if (c_.device.ProgVoltage == 25) board.Reg0 |= k25VoltBits;
  }
  board.Reg0 |= routine.routineBits;
  board.SetReg0();
}

void EpromProgramming::readBeforeWriting(const Routine& routine) {
  auto& board = c_.board;
  board.SETADR();
  if (routine.releasesVppToRead) {
    board.VPP24_OFF();
    board.OEON();
  }
  board.CEON();
  run_.ReadBackByte();
  board.CEOFF();
  if (board.DataByte == run_.ProgramByte) run_.ProgramByte = 0xFF;  // already holds it
}

bool EpromProgramming::programByte(const Routine& routine) {
  std::int16_t attempts = kAttemptCounterStart;
  do {
    if (--attempts == 0) {
      run_.ReportProgramFailure();
      return false;
    }
    c_.checkStop();
    (pulses_.*routine.pulse)(attempts < kLengthenedBelow);
  } while (c_.board.DataByte != run_.ProgramByte);
  return true;
}

}  // namespace burnlab
