#include "sim/sim_board.h"

#include <algorithm>

#include "link/lpt_addresses.h"

namespace burnlab::sim {
namespace {

constexpr std::uint8_t kReg4LineBit = 0x40;   // register 3: REG4, active low
constexpr std::uint8_t kIdentifyBit = 0x20;   // register 3: model 6 identification
constexpr std::uint8_t kIdentifyLine = 0x10;  // it pulls socket data line D4
constexpr std::uint8_t kSupplyEnable = 0x04;  // register 0: model 4's programming supply

std::uint8_t bit(std::uint8_t value, int index) {
  return (value >> index) & 1;
}

}  // namespace

SimBoard::SimBoard(int model, std::uint16_t base, SimClock& clock)
    : model_(model), base_(base), clock_(clock) {
  updateBoardDrive();
}

void SimBoard::setFaults(const BoardFaults& faults) {
  faults_ = faults;
  updateBoardDrive();
  if (chip_) chip_->linesChanged(lines_, clock_.nowNs());
  checkContention();
}

void SimBoard::insert(std::shared_ptr<SocketChip> chip) {
  chip_ = std::move(chip);
  if (chip_) {
    chip_->attach(&events_);
    chip_->linesChanged(lines_, clock_.nowNs());
  }
  checkContention();
}

std::uint8_t SimBoard::decodedControl() const {
  return model_ == 4 ? control_ : static_cast<std::uint8_t>(control_ ^ 0x0F);
}

bool SimBoard::strobeActive() const {
  return bit(decodedControl(), 0) == 1;
}

int SimBoard::selectedRegister() const {
  switch ((decodedControl() >> 1) & 0x07) {
    case 0b101:
      return 0;
    case 0b001:
      return 1;
    case 0b100:
      return 2;
    case 0b000:
      return 3;
    case 0b111:
      return 4;
    default:
      return -1;
  }
}

void SimBoard::latch() {
  // A transparent latch follows the data lines for as long as its strobe is active.
  const int selected = selectedRegister();
  if (!strobeActive() || selected < 0 || lines_.reg[selected] == data_) return;
  lines_.reg[selected] = data_;
  updateBoardDrive();
  // Only a latch that takes a new value changes the socket's lines.
  if (chip_) chip_->linesChanged(lines_, clock_.nowNs());
  checkContention();
}

bool SimBoard::contending() {
  if (!chip_) return false;
  const std::uint64_t now = clock_.nowNs();
  const std::uint8_t driven = chip_->drivenLines(lines_, now);
  if (driven == 0) return false;
  const bool reg4Drives = (lines_.reg[3] & kReg4LineBit) == 0;
  // A line the chip drives high while the board pulls it low.
  const std::uint8_t highAgainstLow = driven & chip_->output(lines_, now) & ~lines_.boardDrive;
  return reg4Drives || highAgainstLow != 0;
}

void SimBoard::checkContention() {
  const bool now = contending();
  if (now == contending_) return;
  contending_ = now;
  if (now) {
    ++contentions_;
    contentionStartNs_ = clock_.nowNs();
  } else {
    longestContentionNs_ = std::max(longestContentionNs_, clock_.nowNs() - contentionStartNs_);
  }
}

BoardCounters SimBoard::markCommand() {
  longestContentionNs_ = 0;
  if (contending_) contentionStartNs_ = clock_.nowNs();
  return counters();
}

BoardCounters SimBoard::counters() const {
  BoardCounters counted;
  counted.nowNs = clock_.nowNs();
  counted.accesses = accesses_;
  counted.contentions = contentions_;
  counted.longestContentionNs = longestContentionNs_;
  if (contending_) {
    counted.longestContentionNs =
        std::max(longestContentionNs_, counted.nowNs - contentionStartNs_);
  }
  for (std::size_t kind = 0; kind < kSimEventKinds; ++kind) {
    counted.events[kind] = events_.count(static_cast<SimEventKind>(kind));
  }
  return counted;
}

void SimBoard::updateBoardDrive() {
  const std::uint8_t reg3 = lines_.reg[3];
  const bool reg4Drives = (reg3 & kReg4LineBit) == 0;
  std::uint8_t drive = reg4Drives ? lines_.reg[4] : 0xFF;
  if (model_ == 6 && !faults_.noIdentify && (reg3 & kIdentifyBit) && !reg4Drives) {
    drive &= ~kIdentifyLine;
  }
  // A stuck or shorted line is what the chip sees on its data pins as well.
  lines_.boardDrive = faults_.onBus(drive);
  lines_.supplyMv = supplyMv();
}

int SimBoard::supplyMv() const {
  const std::uint8_t reg0 = lines_.reg[0];
  if (model_ == 4 && (reg0 & kSupplyEnable) == 0) return 0;
  // Register 0 bits 1..0: 00 12.5 V, 10 21 V, 11 25 V; bit 0 alone selects nothing higher.
  switch (reg0 & 0x03) {
    case 0b10:
      return 21000;
    case 0b11:
      return 25000;
    default:
      return 12500;
  }
}

std::uint8_t SimBoard::dataBus() {
  const std::uint8_t chip = chip_ ? chip_->output(lines_, clock_.nowNs()) : 0xFF;
  return faults_.onBus(lines_.boardDrive & chip);
}

std::uint8_t SimBoard::selectedNibble() {
  const bool bit2 = bit(control_, 2) == 1;
  // Models 5 and 6 show D0..D3 when control bit 2 is 1; model 4 the other way round.
  // A multiplexer whose select input does not follow shows D0..D3 whatever the control says.
  const bool lowNibble = faults_.noSelect || (model_ == 4 ? !bit2 : bit2);
  const std::uint8_t bus = dataBus();
  return lowNibble ? (bus & 0x0F) : (bus >> 4);
}

std::uint8_t SimBoard::statusFor(std::uint8_t nibble) const {
  if (model_ == 4) {
    // nAck, inverted Busy, PaperEnd, Select carry nibble bits 0, 1, 2, 3; nError reads 1.
    return static_cast<std::uint8_t>(0x0F | bit(nibble, 0) << 6 | (bit(nibble, 1) ^ 1) << 7 |
                                     bit(nibble, 2) << 5 | bit(nibble, 3) << 4);
  }
  // nError, Select, PaperEnd, nAck carry bits 0..3; Busy floats high and reads 0 inverted.
  return static_cast<std::uint8_t>(0x07 | nibble << 3);
}

std::uint8_t SimBoard::statusRead() {
  std::uint8_t nibble = selectedNibble();
  if (faults_.flakyEvery > 0 && flakyDraws_() % faults_.flakyEvery == 0) {
    nibble ^= static_cast<std::uint8_t>(1u << (flakyDraws_() % 4));
  }
  std::uint8_t status = statusFor(nibble);
  // An open line's pin floats high: nError .. nAck read 1, Busy (inverted by the port) 0.
  status |= faults_.openStatus & 0x78;
  status &= static_cast<std::uint8_t>(~(faults_.openStatus & 0x80));
  return status;
}

void SimBoard::PortOut(std::uint16_t address, std::uint8_t value) {
  clock_.advanceNs(accessNs_);
  ++accesses_;
  if (address == base_ + kDataOffset) {
    data_ = value;
  } else if (address == base_ + kControlOffset) {
    control_ = value & 0x0F;
  } else {
    return;
  }
  latch();
}

std::uint8_t SimBoard::PortIn(std::uint16_t address) {
  clock_.advanceNs(accessNs_);
  ++accesses_;
  if (address == base_ + kStatusOffset) {
    // The chip's outputs may have changed with time alone (a write cycle that ended).
    checkContention();
    return statusRead();
  }
  if (address == base_ + kDataOffset) return data_;
  if (address == base_ + kControlOffset) return control_;
  return kFloatingStatus;
}

}  // namespace burnlab::sim
