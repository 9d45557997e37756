#pragma once

#include <cstdint>

namespace burnlab {

// The per-device factors that scale the programmer link's busy-wait loops.
struct DelayFactors {
  std::int32_t shortFactor = 5;
  std::int32_t mediumFactor = 100;
  std::int32_t longFactor = 500;

  friend bool operator==(const DelayFactors&, const DelayFactors&) = default;
};

// The loop bounds of the link's three delays.
struct DelayCounts {
  std::int32_t shortCount = 0;
  std::int32_t mediumCount = 0;
  std::int32_t longCount = 0;

  friend bool operator==(const DelayCounts&, const DelayCounts&) = default;
};

// Factors for a device's sub-code: the slow 2716/2732 and 2764 classes ("1", "2", anything
// below "3") take 50/20000/100000, the 27C801/27C080 class ("9") 2/50/250, every other 5/100/500.
DelayFactors delayFactorsFor(char subCode);

// The delay counts for the speed slider: slowness s = maximum - value, each count s x factor + 2,
// and in the slow half of the slider (value below 10) the short count from the medium factor.
DelayCounts programSpeedCounts(std::int32_t sliderValue, std::int32_t sliderMax,
                               const DelayFactors& factors);

}  // namespace burnlab
