#include "sim/x28c256_chip.h"

#include <algorithm>
#include <array>

namespace burnlab::sim {
namespace {

constexpr int kPins = 28;
constexpr int kCePin = 20, kOePin = 22, kWePin = 27, kVccPin = 28;
// A0..A14; A14 is on pin 1, where the 28-pin EPROMs have VPP or A15.
const std::vector<int> kAddressPins{10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 1};

constexpr std::uint64_t kWriteCycleNs = 5'000'000;
constexpr std::uint64_t kSlowWriteCycleNs = 10'000'000;

constexpr std::array<X28C256Chip::LoadedByte, 3> kEnable{
    {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}}};
constexpr std::array<X28C256Chip::LoadedByte, 6> kDisable{{{0x5555, 0xAA},
                                                           {0x2AAA, 0x55},
                                                           {0x5555, 0x80},
                                                           {0x5555, 0xAA},
                                                           {0x2AAA, 0x55},
                                                           {0x5555, 0x20}}};

template <std::size_t N>
bool startsWith(const std::vector<X28C256Chip::LoadedByte>& load,
                const std::array<X28C256Chip::LoadedByte, N>& sequence) {
  if (load.size() < N) return false;
  return std::equal(sequence.begin(), sequence.end(), load.begin(),
                    [](auto a, auto b) { return a.address == b.address && a.data == b.data; });
}

}  // namespace

X28C256Chip::X28C256Chip(const ChipOptions& options)
    : MemoryChip("X28C256", kSize),
      decoder_(kAddressPins, kPins),
      ce_(chipPin(kCePin, kPins)),
      oe_(chipPin(kOePin, kPins)),
      we_(chipPin(kWePin, kPins)),
      vcc_(chipPin(kVccPin, kPins)),
      switchedPins_(switchedPinsOf(kPins)),
      writeCycleNs_(options.slowWriteCycle ? kSlowWriteCycleNs : kWriteCycleNs),
      protected_(options.startLocked) {}

bool X28C256Chip::busy(std::uint64_t nowNs) {
  advanceTo(nowNs);
  return cycleRunning_ || !load_.empty();
}

void X28C256Chip::advanceTo(std::uint64_t nowNs) {
  if (!load_.empty() && !writing_ && nowNs > loadEndsNs_) endLoad(loadEndsNs_);
  if (cycleRunning_ && nowNs >= cycleEndNs_) cycleRunning_ = false;
}

void X28C256Chip::checkVoltages(const SocketLines& lines, std::uint64_t nowNs) {
  for (const auto& [pin, probe] : switchedPins_) {
    const int mv = probe.programmingMv(lines);
    if (destroyed_ || mv == 0) continue;
    const std::string where = voltsText(mv) + " on pin " + std::to_string(pin);
    report(SimEventKind::VoltageOnWrongPin, nowNs,
           where + " of the X28C256, a pin that takes no programming voltage");
    report(SimEventKind::ChipDestroyed, nowNs, "X28C256 destroyed: " + where);
    destroyed_ = true;
  }
}

void X28C256Chip::linesChanged(const SocketLines& lines, std::uint64_t nowNs) {
  advanceTo(nowNs);
  checkVoltages(lines, nowNs);
  if (destroyed_) {
    writing_ = reading_ = false;
    return;
  }
  const bool powered = vcc_.high(lines);
  const bool ceLow = powered && !ce_.high(lines);
  const bool oeLow = !oe_.high(lines);
  const bool weLow = !we_.high(lines);
  address_ = decoder_.address(lines);

  const bool writing = ceLow && weLow && !oeLow;
  if (writing && !writing_ && cycleRunning_) {
    report(SimEventKind::WriteIgnoredWhileBusy, nowNs,
           "a write to " + hexAddress(address_) + " while the X28C256's write cycle runs");
  } else if (writing && !writing_) {
    // The later of the CE and WE falling edges latches the address and opens a byte load.
    latchedAddress_ = address_;
    loadEndsNs_ = nowNs + kByteLoadWindowNs;
  } else if (!writing && writing_ && !cycleRunning_) {
    // The first of the CE and WE rising edges latches the data.
    loadByte(latchedAddress_, lines.boardDrive);
    loadEndsNs_ = std::max(loadEndsNs_, nowNs);
  }
  writing_ = writing;

  const bool reading = ceLow && oeLow && !weLow;
  if (reading && !reading_ && cycleRunning_) toggle_ = !toggle_;
  reading_ = reading;
}

void X28C256Chip::loadByte(std::uint32_t address, std::uint8_t data) {
  load_.push_back({address, data});
  lastByte_ = data;
}

std::vector<X28C256Chip::LoadedByte> X28C256Chip::dataOfLoad() {
  if (startsWith(load_, kDisable)) {
    protected_ = false;
    return {load_.begin() + kDisable.size(), load_.end()};
  }
  if (startsWith(load_, kEnable)) {
    protected_ = true;
    return {load_.begin() + kEnable.size(), load_.end()};
  }
  if (protected_) return {};  // a dummy write cycle: nothing is stored
  return load_;
}

std::string X28C256Chip::hexAddress(std::uint32_t address) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[address >> shift & 0x0F];
  return text + "h";
}

void X28C256Chip::endLoad(std::uint64_t cycleStartNs) {
  const bool wasProtected = protected_;
  const std::vector<LoadedByte> data = dataOfLoad();
  if (wasProtected && protected_ && data.empty() && !startsWith(load_, kEnable)) {
    report(SimEventKind::WriteRefusedByProtection, cycleStartNs,
           "a write of " + std::to_string(load_.size()) + (load_.size() == 1 ? " byte" : " bytes") +
               " at " + hexAddress(load_.front().address) +
               " kept out by the X28C256's data protection");
  }
  load_.clear();
  if (!data.empty()) {
    // Every byte goes into the page of the first: only A0..A5 of the others count.
    const std::uint32_t page = data.front().address & ~(kPageSize - 1);
    for (const auto& byte : data) store(page | (byte.address & (kPageSize - 1)), byte.data);
  }
  cycleRunning_ = true;
  cycleEndNs_ = cycleStartNs + writeCycleNs_;
}

std::uint8_t X28C256Chip::drivenLines(const SocketLines&, std::uint64_t nowNs) {
  advanceTo(nowNs);
  if (!reading_) return 0x00;
  return cycleRunning_ ? 0xC0 : 0xFF;  // bits 0..5 float while the cycle runs
}

std::uint8_t X28C256Chip::output(const SocketLines&, std::uint64_t nowNs) {
  advanceTo(nowNs);
  if (!reading_) return 0xFF;
  if (cycleRunning_) {
    // Bits 0..5 are not driven while the cycle runs.
    return static_cast<std::uint8_t>((~lastByte_ & 0x80) | (toggle_ ? 0x40 : 0x00) | 0x3F);
  }
  return cells()[address_];
}

}  // namespace burnlab::sim
