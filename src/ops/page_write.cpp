#include "ops/page_write.h"

#include <algorithm>

#include "devices/program_speed.h"
#include "link/board.h"
#include "util/kept_value.h"

namespace burnlab {
namespace {

constexpr std::int16_t kChipEnable = 0x80;  // register 3 bit 7, active low
// Register 3 for a command sequence: chip enable released, the board driving the data bus,
// the 28-pin chip's supply on.
constexpr std::int16_t kCommandReg3 = 0x82;

// The chip ends a load 100 us after a write strobe that no other strobe follows, and then starts
// its write cycle: every strobe of one page or command sequence must come sooner than that.
// The register writes' settling loops grow with the speed slider, at its slow end to some ten
// microseconds each, seven register writes to a byte. So while a load goes out they settle as
// at the fastest setting, which the board takes at any speed; the slider still sets the pauses
// between the loads.
class FastSettling {
 public:
  FastSettling(Board& board, std::int32_t sliderMax) : kept_(board.ShortDelayCount) {
    const DelayFactors factors{board.ShortDelayFactor, board.MediumDelayFactor,
                               board.LongDelayFactor};
    board.ShortDelayCount = programSpeedCounts(sliderMax, sliderMax, factors).shortCount;
  }

 private:
  KeptValue<std::int32_t> kept_;
};

}  // namespace

void PageWrite::program(ProgrammingRun& run) {
  auto& board = c_.board;
  prepare(run);
  const std::span<const std::uint8_t> image = c_.options.image.bytes;
  for (std::int32_t page = 0; page < kPageWritePages; ++page) {
    if (!writePage(run, page, image)) {
      board.Reg0 = 0;
      board.SetReg0();
      return;
    }
  }
  c_.log.LogLine(std::string(chip_.doneLine));
  board.Reset();
}

void PageWrite::prepare(ProgrammingRun& run) {
  auto& board = c_.board;
  board.address.LinearAddress = 0;
  board.address.Endereco2Adr();
  (board.*chip_.loadAddress)();
  c_.pause(500);
  board.REG4ON();
  board.OEOFF();
  board.CEOFF();
  c_.log.LogLine(std::string(chip_.startLine));
  board.Reset();
  (board.*chip_.loadAddress)();
  sendCommands(kProtectionOff);
  c_.pause(chip_.unlockSettleMs);
  board.OEOFF();
  board.CEOFF();
  c_.panel.ProgressBar1.max = kPageWritePages / kPagesPerBarStep;
  run.ProgressStep = kPagesPerBarStep;
  run.ProgressCount = 0;
}

bool PageWrite::writePage(ProgrammingRun& run, std::int32_t page,
                          std::span<const std::uint8_t> image) {
  auto& board = c_.board;
  // Even a page the chip already holds gets its write cycle.
  for (int attempt = 1;; ++attempt) {
    if (attempt > kPageWriteAttempts) {
      run.ReportProgramFailure();  // at the first byte that differed the last time
      return false;
    }
    c_.pause(pagePauses(slowness(), chip_.longestWriteCycleMs).beforeLoadMs);
    board.REG4ON();
    selectPage(page);
    loadPage(page, image);
    waitForWriteCycle();
    const auto mismatch = firstMismatch(page, image);
    if (!mismatch) break;
    run.ProgramByte = image[static_cast<std::size_t>(*mismatch)];
  }
  if (page % kPagesPerBarStep == 0) board.BlinkProgramLamp();
  run.GoProgressiveBar1();
  return true;
}

int PageWrite::slowness() const {
  return c_.panel.Slider1.max - c_.panel.Slider1.value;
}

void PageWrite::strobeOn() {
  c_.board.Reg1 &= static_cast<std::int16_t>(~chip_.writeStrobe);
  c_.board.SetReg1();
}

void PageWrite::strobeOff() {
  c_.board.Reg1 |= chip_.writeStrobe;
  c_.board.SetReg1();
}

void PageWrite::writeCommand(CommandCycle cycle) {
  auto& board = c_.board;
  const FastSettling fast(board, c_.panel.Slider1.max);
  board.Reg4 = cycle.data;
  board.Reg1 =
      static_cast<std::int16_t>(chip_.highAddressLines(cycle.address / 256) | chip_.writeStrobe);
  board.Reg2 = static_cast<std::int16_t>(cycle.address % 256);
  board.SetReg1();
  board.DelayLoop300();
  board.SetReg2();
  board.DelayLoop300();
  board.SetReg4();
  board.CEON();
  strobeOn();
  board.DelayLoop300();
  strobeOff();
  board.DelayLoop300();
  board.CEOFF();
}

void PageWrite::sendCommands(std::span<const CommandCycle> cycles, int shortestPauseMs) {
  auto& board = c_.board;
  board.OEOFF();
  board.Reg3 = kCommandReg3;
  board.SetReg3();
  for (const auto cycle : cycles) writeCommand(cycle);
  c_.pause(std::max(slowness() + 5, shortestPauseMs));
}

void PageWrite::setAddress(std::int32_t linearAddress) {
  auto& address = c_.board.address;
  address.LinearAddress = linearAddress;
  address.Endereco2Adr();
}

void PageWrite::selectPage(std::int32_t page) {
  auto& board = c_.board;
  setAddress(page * kPageWriteBytes);
  const auto reg1 = static_cast<std::int16_t>(chip_.highAddressLines(board.address.AddrMid) |
                                              board.address.Reg1Extra);
  if (reg1 == board.Reg1) return;
  board.Reg1 = reg1;
  board.SetReg1();
}

void PageWrite::loadPage(std::int32_t page, std::span<const std::uint8_t> image) {
  auto& board = c_.board;
  const FastSettling fast(board, c_.panel.Slider1.max);
  for (std::int32_t i = 0; i < kPageWriteBytes; ++i) {
    setAddress(page * kPageWriteBytes + i);
    board.Reg2 = static_cast<std::int16_t>(board.address.AddrLow);
    board.SetReg2();
    board.REG4ON();
    board.Reg4 = image[static_cast<std::size_t>(board.address.LinearAddress)];
    board.SetReg4();
    // The chip takes the address on the later falling edge of chip enable and write strobe,
    // the data on the first rising edge.
    board.Reg3 &= static_cast<std::int16_t>(~kChipEnable);
    board.SetReg3();
    strobeOn();
    strobeOff();
    board.Reg3 |= kChipEnable;
    board.SetReg3();
  }
}

void PageWrite::waitForWriteCycle() {
  c_.pause(pagePauses(slowness(), chip_.longestWriteCycleMs).writeCycleMs);
}

std::optional<std::int32_t> PageWrite::firstMismatch(std::int32_t page,
                                                     std::span<const std::uint8_t> image) {
  auto& board = c_.board;
  board.REG4OFF();
  for (std::int32_t i = 0; i < kPageWriteBytes; ++i) {
    setAddress(page * kPageWriteBytes + i);
    board.Reg2 = static_cast<std::int16_t>(board.address.AddrLow);
    board.SetReg2();
    board.CEOEON();
    board.GetNibbles();
    board.OEOFF();
    const auto wanted = image[static_cast<std::size_t>(board.address.LinearAddress)];
    if (board.DataByte != wanted) return board.address.LinearAddress;
  }
  return std::nullopt;
}

}  // namespace burnlab
