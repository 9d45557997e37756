#include "sim/page_loading_chip.h"

#include <algorithm>
#include <array>

#include "sim/hex_digits.h"

namespace burnlab::sim {
namespace {

using Load = std::vector<PageLoadingChip::LoadedByte>;
constexpr std::array<PageLoadingChip::LoadedByte, 3> kProtect{
    {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}}};
constexpr std::array<PageLoadingChip::LoadedByte, 6> kUnprotect{{{0x5555, 0xAA},
                                                                 {0x2AAA, 0x55},
                                                                 {0x5555, 0x80},
                                                                 {0x5555, 0xAA},
                                                                 {0x2AAA, 0x55},
                                                                 {0x5555, 0x20}}};

}  // namespace

PageLoadingChip::PageLoadingChip(std::string name, std::size_t size, const Pins& pins,
                                 PinRatings ratings, std::uint64_t loadWindowNs,
                                 bool startProtected)
    : MemoryChip(std::move(name), size),
      decoder_(pins.address, kPackagePins),
      ce_(chipPin(pins.ce, kPackagePins)),
      oe_(chipPin(pins.oe, kPackagePins)),
      we_(chipPin(pins.we, kPackagePins)),
      vcc_(chipPin(pins.vcc, kPackagePins)),
      ratings_(std::move(ratings)),
      loadWindowNs_(loadWindowNs),
      protected_(startProtected) {}

bool PageLoadingChip::busy(std::uint64_t nowNs) {
  advanceTo(nowNs);
  return cycleRunning_ || !load_.empty();
}

void PageLoadingChip::advanceTo(std::uint64_t nowNs) {
  if (!load_.empty() && !writing_ && nowNs > loadEndsNs_) endLoad(loadEndsNs_);
  if (cycleRunning_ && nowNs >= cycleEndNs_) cycleRunning_ = false;
}

KeptState PageLoadingChip::keptStateAt(std::uint64_t nowNs) {
  advanceTo(nowNs);
  KeptState kept;
  kept.destroyed = destroyed_;
  kept.dataProtection = protected_;
  return kept;
}

void PageLoadingChip::putBack(const KeptState& kept) {
  destroyed_ = kept.destroyed.value_or(destroyed_);
  protected_ = kept.dataProtection.value_or(protected_);
}

std::optional<Load> PageLoadingChip::takeProtectionCommand(const Load& load) {
  if (startsWith(load, kUnprotect)) {
    protected_ = false;
    return Load(load.begin() + kUnprotect.size(), load.end());
  }
  if (startsWith(load, kProtect)) {
    protected_ = true;
    return Load(load.begin() + kProtect.size(), load.end());
  }
  return std::nullopt;
}

void PageLoadingChip::reportKeptOut(const Load& load, std::uint64_t endNs) {
  report(SimEventKind::WriteRefusedByProtection, endNs,
         "a write of " + std::to_string(load.size()) + (load.size() == 1 ? " byte" : " bytes") +
             " at " + hexDigits(load.front().address, 4) + " kept out by the " + name() +
             "'s data protection");
}

void PageLoadingChip::linesChanged(const SocketLines& lines, std::uint64_t nowNs) {
  advanceTo(nowNs);
  if (destroyedBy(ratings_, lines, destroyed_, nowNs)) {
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
           "a write to " + hexDigits(address_, 4) + " while the " + name() + "'s write cycle runs");
  } else if (writing && !writing_) {
    // The later of the CE and WE falling edges latches the address and opens a byte load.
    latchedAddress_ = address_;
    loadEndsNs_ = nowNs + loadWindowNs_;
  } else if (!writing && writing_ && !cycleRunning_) {
    // The first of the CE and WE rising edges latches the data.
    load_.push_back({latchedAddress_, lines.boardDrive});
    lastByte_ = lines.boardDrive;
    loadEndsNs_ = std::max(loadEndsNs_, nowNs);
  }
  writing_ = writing;

  const bool reading = ceLow && oeLow && !weLow;
  if (reading && !reading_ && cycleRunning_) toggle_ = !toggle_;
  reading_ = reading;
}

void PageLoadingChip::endLoad(std::uint64_t endNs) {
  const std::vector<LoadedByte> load = std::move(load_);
  load_.clear();
  const std::uint64_t cycleNs = takeLoad(load, endNs);
  if (cycleNs == 0) return;
  cycleRunning_ = true;
  cycleEndNs_ = endNs + cycleNs;
}

void PageLoadingChip::storeInPage(const std::vector<LoadedByte>& data) {
  if (data.empty()) return;
  const std::uint32_t page = data.front().address & ~(kPageSize - 1);
  for (const auto& byte : data) store(page | (byte.address & (kPageSize - 1)), byte.data);
}

std::uint8_t PageLoadingChip::drivenLines(const SocketLines&, std::uint64_t nowNs) {
  advanceTo(nowNs);
  if (!reading_) return 0x00;
  return cycleRunning_ ? 0xC0 : 0xFF;  // bits 0..5 float while the cycle runs
}

std::uint8_t PageLoadingChip::output(const SocketLines&, std::uint64_t nowNs) {
  advanceTo(nowNs);
  if (!reading_) return 0xFF;
  if (cycleRunning_) {
    return static_cast<std::uint8_t>((~lastByte_ & 0x80) | (toggle_ ? 0x40 : 0x00) | 0x3F);
  }
  return readByte(address_);
}

}  // namespace burnlab::sim
