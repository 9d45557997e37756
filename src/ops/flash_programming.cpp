#include "ops/flash_programming.h"

#include <algorithm>

#include "link/board.h"
#include "ops/whole_chip_scan.h"

namespace burnlab {
namespace {

constexpr std::int16_t kProgram = 0xA0;
constexpr std::int16_t kReadArray = 0xF0;
// The round counter starts here for every byte and is counted down before each round, so a
// byte gets at most 49 program commands.
constexpr int kRoundCounterStart = 50;
// Chips whose bytes are not read back are given this long to program each one.
constexpr int kUnpolledByteMs = 1;
constexpr std::int16_t kChipDisabled = 0x80;
constexpr int kLongestByteProgramMs = 1;  // 300 us in the datasheets
// Status bits of a byte being programmed: DQ7 the complement of the byte's bit 7, DQ5 set when
// the chip gave up.
constexpr std::uint8_t kDq7 = 0x80;
constexpr std::uint8_t kDq5 = 0x20;

}  // namespace

void FlashProgramming::ProgramFlash(ProgrammingRun& run) {
  auto& board = c_.board;
  id_.ReadFlashCodeId();
  if (!FlashIdentification::makerAccepted(id_.FlashMakerCode)) {
    c_.log.LogLine("Device ID# " + id_.FlashId + " - Not Supported");
    run.ProgramStatus = ProgrammingRun::kRoutineRefused;
    return;
  }
  c_.log.LogLine("Device ID# " + id_.FlashId + " - Start programming");
  // Whole 256-byte pages up to the code size, but never past the image: a file longer than
  // the chip would wrap round its address lines and overwrite its start.
  const std::int32_t pages = scanPageCount(c_.buffers.CodeSize, c_.options.image.ProgramSize);
  c_.setProgress(0, pages);
  board.REG4ON();
  board.OEOFF();
  board.CEOFF();
  board.address.LinearAddress = 0;
  // Every bank but the last is handled whole, so the address walked stays the image's index.
  for (std::int32_t page = 0; page < pages; ++page) {
    const std::int32_t bank = page / kBankPages;
    board.Reg3 = static_cast<std::int16_t>(board.maps.Reg3AddressMap[bank & 0xFF] | kChipDisabled |
                                           board.address.Reg3Extra);
    board.Reg1 = static_cast<std::int16_t>(board.maps.Reg1AddressMap[page % kBankPages] |
                                           board.address.Reg1Extra);
    c_.advanceProgress(1);
    if (!programPage(run)) return;
  }
}

bool FlashProgramming::programPage(ProgrammingRun& run) {
  auto& board = c_.board;
  for (board.Reg2 = 0; board.Reg2 <= 255; ++board.Reg2) {
    if (!programByte(run)) return false;
    ++board.address.LinearAddress;
  }
  return true;
}

bool FlashProgramming::programByte(ProgrammingRun& run) {
  const auto& image = c_.options.image.bytes;
  for (int counter = kRoundCounterStart - 1; counter > 0; --counter) {
    run.ProgramByte = image[static_cast<std::size_t>(c_.board.address.LinearAddress)];
    WriteFlashByte(run.ProgramByte);
    if (FlashIdentification::makerPolled(id_.FlashMakerCode)) {
      PollFlashByte(run.ProgramByte);
    } else {
      c_.pause(kUnpolledByteMs);
      FlashBusy = 0;
    }
    if (FlashBusy == 0) return true;
    // A chip that gave up on the byte says so: no further program command can help it.
    if (FlashTimedOut) {
      c_.log.LogLine("*** Flash Byte not Programmed: the chip reports a program time-out ***");
      break;
    }
  }
  reportByteFailure(run);
  return false;
}

void FlashProgramming::reportByteFailure(ProgrammingRun& run) {
  auto& board = c_.board;
  // A chip whose program ran out of time answers with its status until it is reset: back to
  // reading the array first, so that the report (and Read and Verify) show the byte it holds.
  // The reset is taken only once the last program has ended, after the datasheet's longest
  // byte program time.
  c_.pause(kLongestByteProgramMs);
  commands_.FlashCommand = kReadArray;
  commands_.SendFlashCommand();
  board.SetReg1();  // the address of the byte again, after the command cycles
  board.SetReg2();
  board.SetReg3();
  board.REG4OFF();
  board.CEON();
  board.OEON();
  board.GetNibbles();
  board.OEOFF();
  board.CEOFF();
  board.REG4ON();
  run.ReportProgramFailure();
}

void FlashProgramming::WriteFlashByte(std::uint8_t programByte) {
  auto& board = c_.board;
  if (programByte != 0xFF) {
    commands_.FlashCommand = kProgram;
    commands_.SendFlashCommand();
  }
  // The command cycles left the registers out of step with their shadows: all four again.
  board.Reg4 = programByte;
  board.SetReg4();
  board.SetReg1();
  board.SetReg2();
  board.SetReg3();
  if (programByte == 0xFF) return;
  // The chip takes the address as write enable falls after chip enable, and the byte as it
  // rises again.
  board.CEON();
  commands_.FlashWriteEnableOn();
  commands_.FlashWriteEnableOff();
  board.CEOFF();
}

void FlashProgramming::PollFlashByte(std::uint8_t programByte) {
  auto& board = c_.board;
  board.REG4OFF();
  FlashBusy = 1;
  FlashTimedOut = false;
  board.CEON();
  board.OEON();
  board.GetNibbles();
  // Data polling: while the chip programs, DQ7 reads the complement of the byte's bit 7; DQ5
  // set then means it ran out of time. DQ7 may change together with DQ5: read once more.
  const auto stillBusy = [&] { return ((board.DataByte ^ programByte) & kDq7) != 0; };
  if (board.DataByte != programByte && stillBusy() && (board.DataByte & kDq5) != 0) {
    board.GetNibbles();
    FlashTimedOut = board.DataByte != programByte && stillBusy();
  }
  board.OEOFF();
  board.CEOFF();
  if (board.DataByte == programByte) FlashBusy = 0;
  board.REG4ON();
}

void FlashProgramming::LoopFlashTest_Click(ProgrammingRun& run) {
  const std::int32_t rounds = c_.panel.Slider1.value * 1000;
  for (std::int32_t i = 0; i < rounds; ++i) {
    WriteFlashByte(run.ProgramByte);
    c_.board.DelayLoop10000();
    if (i % 1000 == 0) c_.checkStop();
  }
}

}  // namespace burnlab
