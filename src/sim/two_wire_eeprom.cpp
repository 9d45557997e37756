#include "sim/two_wire_eeprom.h"

#include "sim/hex_digits.h"

namespace burnlab::sim {
namespace {

constexpr std::uint8_t kSclBit = 0x80;  // register 3: the CE line
constexpr std::uint8_t kSdaBit = 0x80;  // data line D7
constexpr std::uint64_t kWriteCycleNs = 5'000'000;
constexpr std::uint64_t kSlowWriteCycleNs = 10'000'000;

}  // namespace

TwoWireEeprom::TwoWireEeprom(const TwoWireType& type, const ChipOptions& options)
    : MemoryChip(type.name, type.size),
      type_(type),
      writeCycleNs_(options.slowWriteCycle ? kSlowWriteCycleNs : kWriteCycleNs),
      writeProtect_(options.writeProtect),
      neverAcknowledges_(options.neverAcknowledges) {}

void TwoWireEeprom::linesChanged(const SocketLines& lines, std::uint64_t nowNs) {
  const bool scl = (lines.reg[3] & kSclBit) != 0;
  const bool sda = (lines.boardDrive & kSdaBit) != 0 && !pullsSdaLow_;
  if (scl && scl_ && sda != sda_) {
    // SDA changing while SCL stays high is a start (falling) or a stop (rising).
    if (sda)
      stop(nowNs);
    else
      start(nowNs);
  } else if (scl && !scl_) {
    risingEdge(sda);
  } else if (!scl && scl_) {
    fallingEdge();
  }
  scl_ = scl;
  // What the chip drives now is part of the level the next change is measured against.
  sda_ = (lines.boardDrive & kSdaBit) != 0 && !pullsSdaLow_;
}

std::uint8_t TwoWireEeprom::output(const SocketLines&, std::uint64_t) {
  return pullsSdaLow_ ? static_cast<std::uint8_t>(~kSdaBit) : 0xFF;
}

void TwoWireEeprom::start(std::uint64_t nowNs) {
  // A start aborts whatever ran, a page not yet closed by a stop included.
  page_.clear();
  pullsSdaLow_ = false;
  bits_ = 0;
  shift_ = 0;
  phase_ = busy(nowNs) ? Phase::Ignore : Phase::DeviceByte;
}

void TwoWireEeprom::stop(std::uint64_t nowNs) {
  if (phase_ == Phase::WriteData && !page_.empty() && writeProtect_) {
    // WP high: the bytes were acknowledged, but no write cycle starts.
    report(SimEventKind::WriteRefusedByProtection, nowNs,
           "a write of " + std::to_string(page_.size()) + (page_.size() == 1 ? " byte" : " bytes") +
               " at " + hexDigits(page_.front().first, 4) + " kept out by the " + name() +
               "'s WP pin held high");
  } else if (phase_ == Phase::WriteData && !page_.empty()) {
    for (const auto& [address, data] : page_) store(address, data);
    busyUntilNs_ = nowNs + writeCycleNs_;
  }
  page_.clear();
  pullsSdaLow_ = false;
  phase_ = Phase::Idle;
}

void TwoWireEeprom::risingEdge(bool sda) {
  if (phase_ == Phase::Idle || phase_ == Phase::Ignore) return;
  ++bits_;
  if (phase_ == Phase::ReadData) {
    if (bits_ == 9) masterAcknowledged_ = !sda;
    return;
  }
  if (bits_ <= 8) shift_ = static_cast<std::uint8_t>(shift_ << 1 | (sda ? 1 : 0));
  if (bits_ == 8) acknowledges_ = accept(shift_) && !neverAcknowledges_;
}

void TwoWireEeprom::fallingEdge() {
  if (phase_ == Phase::Idle || phase_ == Phase::Ignore) return;
  if (phase_ == Phase::ReadData) {
    if (bits_ >= 1 && bits_ <= 7) {
      pullsSdaLow_ = ((shift_ >> (7 - bits_)) & 1) == 0;
    } else if (bits_ == 8) {
      pullsSdaLow_ = false;  // the master acknowledges on the ninth clock
    } else if (bits_ == 9) {
      bits_ = 0;
      if (masterAcknowledged_)
        loadReadByte();
      else
        phase_ = Phase::Idle;  // no acknowledge: the read ends, a stop follows
    }
    return;
  }
  if (bits_ == 8) {
    // The acknowledge is driven from the end of the eighth clock to the end of the ninth.
    pullsSdaLow_ = acknowledges_;
    if (!acknowledges_) phase_ = Phase::Ignore;
  } else if (bits_ == 9) {
    pullsSdaLow_ = false;
    bits_ = 0;
    shift_ = 0;
    phase_ = nextPhase_;
    if (phase_ == Phase::ReadData) loadReadByte();
  }
}

void TwoWireEeprom::loadReadByte() {
  shift_ = cell(counter_);
  counter_ = (counter_ + 1) % static_cast<std::uint32_t>(size());
  pullsSdaLow_ = (shift_ & 0x80) == 0;
}

bool TwoWireEeprom::acceptDeviceByte(std::uint8_t byte) {
  if ((byte >> 4) != 0x0A) return false;
  const std::uint32_t selects = (byte >> 1) & 0x07;
  const std::uint32_t blockMask = (1u << type_.blockBits) - 1;
  // The device-byte bits above the block bits are chip-select pins, tied low in the adapter.
  if ((selects & ~blockMask) != 0) return false;
  if (byte & 1) {
    nextPhase_ = Phase::ReadData;
  } else {
    highAddress_ = selects & blockMask;
    nextPhase_ = type_.addressBytes == 2 ? Phase::WordHigh : Phase::WordLow;
  }
  return true;
}

bool TwoWireEeprom::accept(std::uint8_t byte) {
  const auto addressMask = static_cast<std::uint32_t>(size() - 1);
  switch (phase_) {
    case Phase::DeviceByte:
      return acceptDeviceByte(byte);
    case Phase::WordHigh:
      highAddress_ = byte;
      nextPhase_ = Phase::WordLow;
      return true;
    case Phase::WordLow:
      counter_ = (highAddress_ << 8 | byte) & addressMask;
      nextPhase_ = Phase::WriteData;
      return true;
    case Phase::WriteData: {
      page_.emplace_back(counter_, byte);
      // The counter wraps inside the page.
      const std::uint32_t page = counter_ & ~(type_.pageSize - 1);
      counter_ = page | ((counter_ + 1) & (type_.pageSize - 1));
      nextPhase_ = Phase::WriteData;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace burnlab::sim
