#include "sim/x28c256_chip.h"

#include <array>

#include "sim/hex_digits.h"

namespace burnlab::sim {
namespace {

// A0..A14; A14 is on pin 1, where the 28-pin EPROMs have VPP or A15. WE is pin 27.
const PageLoadingChip::Pins kPins{
    20, 22, 27, 28, {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 1}};

constexpr std::uint64_t kWriteCycleNs = 5'000'000;
constexpr std::uint64_t kSlowWriteCycleNs = 10'000'000;

constexpr std::array<PageLoadingChip::LoadedByte, 3> kEnable{
    {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}}};
constexpr std::array<PageLoadingChip::LoadedByte, 6> kDisable{{{0x5555, 0xAA},
                                                               {0x2AAA, 0x55},
                                                               {0x5555, 0x80},
                                                               {0x5555, 0xAA},
                                                               {0x2AAA, 0x55},
                                                               {0x5555, 0x20}}};

std::string pinName(int pin) {
  return pin == 1 ? "A14" : pin == 22 ? "OE" : "pin";
}

}  // namespace

X28C256Chip::X28C256Chip(const ChipOptions& options)
    : PageLoadingChip("X28C256", kSize, kPins, PinRatings(kPackagePins, {}, pinName),
                      kByteLoadWindowNs),
      writeCycleNs_(options.slowWriteCycle ? kSlowWriteCycleNs : kWriteCycleNs),
      protected_(options.startLocked) {}

std::vector<PageLoadingChip::LoadedByte> X28C256Chip::dataOfLoad(
    const std::vector<LoadedByte>& load) {
  if (startsWith(load, kDisable)) {
    protected_ = false;
    return {load.begin() + kDisable.size(), load.end()};
  }
  if (startsWith(load, kEnable)) {
    protected_ = true;
    return {load.begin() + kEnable.size(), load.end()};
  }
  if (protected_) return {};  // a dummy write cycle: nothing is stored
  return load;
}

KeptState X28C256Chip::keptStateAt(std::uint64_t nowNs) {
  KeptState kept = PageLoadingChip::keptStateAt(nowNs);
  kept.dataProtection = protected_;
  return kept;
}

void X28C256Chip::putBack(const KeptState& kept) {
  PageLoadingChip::putBack(kept);
  protected_ = kept.dataProtection.value_or(protected_);
}

std::uint64_t X28C256Chip::takeLoad(const std::vector<LoadedByte>& load, std::uint64_t endNs) {
  const bool wasProtected = protected_;
  const std::vector<LoadedByte> data = dataOfLoad(load);
  if (wasProtected && protected_ && data.empty() && !startsWith(load, kEnable)) {
    report(SimEventKind::WriteRefusedByProtection, endNs,
           "a write of " + std::to_string(load.size()) + (load.size() == 1 ? " byte" : " bytes") +
               " at " + hexDigits(load.front().address, 4) +
               " kept out by the X28C256's data protection");
  }
  storeInPage(data);
  return writeCycleNs_;
}

}  // namespace burnlab::sim
