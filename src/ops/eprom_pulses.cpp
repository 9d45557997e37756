#include "ops/eprom_pulses.h"

namespace burnlab {
namespace {

constexpr std::int16_t kPgm2764Bit = 0x40;   // Reg1 bit 6: socket pin 29, PGM of 2764/27128
constexpr std::int16_t kPgm27010Bit = 0x04;  // Reg3 bit 2: socket pin 31, PGM of 27C010/020
constexpr int k2732PulseMs = 5;

}  // namespace

void EpromPulses::presentByte() {
  auto& board = c_.board;
  board.REG4ON();
  board.Reg4 = run_.ProgramByte;
  board.SetReg4();
}

void EpromPulses::programDelay(bool lengthened) {
  c_.board.DelayMedium();
  if (lengthened) c_.board.DelayLong();
}

void EpromPulses::pulse2732(bool) {
  auto& board = c_.board;
  board.Reg4 = run_.ProgramByte;
  board.SetReg4();
  board.REG4ON();
  board.CEOFF();
  board.VPP24_ON();  // VPP on the OE/VPP pin, which also releases OE
  board.CEON();
  c_.pause(k2732PulseMs);
  board.CEOFF();
  board.VPP24_OFF();
  board.CEON();
  board.DelayLoop20();
  run_.ReadBackByte();
}

void EpromPulses::pulse2764_128(bool lengthened) {
  auto& board = c_.board;
  presentByte();
  board.Reg1 &= ~kPgm2764Bit;
  board.SetReg1();
  programDelay(lengthened);
  board.Reg1 |= kPgm2764Bit;
  board.SetReg1();
  board.DelayLoop20();
  board.OEON();
  run_.ReadBackByte();
  board.OEOFF();
}

void EpromPulses::pulse27256_040(bool lengthened) {
  auto& board = c_.board;
  presentByte();
  board.CEOEOFF();
  board.CEON();
  programDelay(lengthened);
  board.CEOFF();
  board.DelayLoop20();
  board.OEON();
  run_.ReadBackByte();
  board.OEOFF();
}

void EpromPulses::pulse27080(bool lengthened) {
  auto& board = c_.board;
  presentByte();
  board.VPP24_ON();
  board.CEON();
  programDelay(lengthened);
  board.CEOFF();
  board.VPP24_OFF();
  board.CEON();
  board.DelayLoop20();
  run_.ReadBackByte();
}

void EpromPulses::pulse27010_020(bool lengthened) {
  auto& board = c_.board;
  presentByte();
  board.Reg3 &= ~kPgm27010Bit;
  board.SetReg3();
  programDelay(lengthened);
  board.Reg3 |= kPgm27010Bit;
  board.SetReg3();
  board.DelayLoop20();
  board.OEON();
  run_.ReadBackByte();
  board.OEOFF();
}

}  // namespace burnlab
