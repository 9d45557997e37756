#include "devices/program_speed.h"

namespace burnlab {

DelayFactors delayFactorsFor(char subCode) {
  if (subCode < '3') return {50, 20000, 100000};
  if (subCode == '9') return {2, 50, 250};
  return {};
}

DelayCounts programSpeedCounts(std::int32_t sliderValue, std::int32_t sliderMax,
                               const DelayFactors& factors) {
  const std::int32_t slowness = sliderMax - sliderValue;
  DelayCounts counts;
  counts.longCount = slowness * factors.longFactor + 2;
  counts.mediumCount = slowness * factors.mediumFactor + 2;
  counts.shortCount = slowness * factors.shortFactor + 2;
  if (sliderValue < 10) counts.shortCount = slowness * factors.mediumFactor + 2;
  return counts;
}

}  // namespace burnlab
