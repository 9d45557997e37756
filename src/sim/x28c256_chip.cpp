#include "sim/x28c256_chip.h"

namespace burnlab::sim {
namespace {

// A0..A14; A14 is on pin 1, where the 28-pin EPROMs have VPP or A15. WE is pin 27.
const PageLoadingChip::Pins kPins{
    20, 22, 27, 28, {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 1}};

constexpr std::uint64_t kWriteCycleNs = 5'000'000;
constexpr std::uint64_t kSlowWriteCycleNs = 10'000'000;

std::string pinName(int pin) {
  return pin == 1 ? "A14" : pin == 22 ? "OE" : "pin";
}

}  // namespace

X28C256Chip::X28C256Chip(const ChipOptions& options)
    : PageLoadingChip("X28C256", kSize, kPins, PinRatings(kPackagePins, {}, pinName),
                      kByteLoadWindowNs, options.startLocked),
      writeCycleNs_(options.slowWriteCycle ? kSlowWriteCycleNs : kWriteCycleNs) {}

std::uint64_t X28C256Chip::takeLoad(const std::vector<LoadedByte>& load, std::uint64_t endNs) {
  if (auto data = takeProtectionCommand(load)) {
    storeInPage(*data);
  } else if (dataProtected()) {
    reportKeptOut(load, endNs);  // a dummy write cycle: nothing is stored
  } else {
    storeInPage(load);
  }
  return writeCycleNs_;
}

}  // namespace burnlab::sim
