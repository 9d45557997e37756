#include "devices/program_speed.h"

#include <algorithm>

#include "link/board.h"

namespace burnlab {
namespace {

constexpr const char* kMicroseconds = " \xB5s";  // Latin-1, as every text of the core

// Whole microseconds below a millisecond, then milliseconds (one decimal below ten).
std::string durationText(std::uint64_t ns) {
  const std::uint64_t us = (ns + 500) / 1000;
  if (us < 1000) return std::to_string(us) + kMicroseconds;
  if (const std::uint64_t tenths = (us + 50) / 100; tenths < 100) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " ms";
  }
  return std::to_string((us + 500) / 1000) + " ms";
}

}  // namespace

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

std::uint64_t pacedDelayNs(std::int32_t count) {
  return count > 0 ? static_cast<std::uint64_t>(count) * Board::kPulseNsPerCount : 0;
}

PagePauses pagePauses(std::int32_t slowness, int longestWriteCycleMs) {
  return {slowness + 1, std::max(slowness + 3, longestWriteCycleMs)};
}

std::string programPulseLine(ProgramRoutine routine, const DelayCounts& counts,
                             std::int32_t slowness) {
  switch (routine) {
    case ProgramRoutine::None:
      return "";
    case ProgramRoutine::Eprom2732:
      return "Pulse " + std::to_string(k2732PulseMs) + " ms, fixed";
    case ProgramRoutine::Eprom2764:
    case ProgramRoutine::Eprom27256:
    case ProgramRoutine::Eprom27C040:
    case ProgramRoutine::Eprom27C080:
    case ProgramRoutine::Eprom27C010:
      return "Pulse " + durationText(pacedDelayNs(counts.mediumCount));
    case ProgramRoutine::X28C256Pages:
    case ProgramRoutine::AT29C256Pages: {
      const auto pauses = pagePauses(slowness, kPageWriteCycleMs);
      return "Page pauses " + std::to_string(pauses.beforeLoadMs) + " + " +
             std::to_string(pauses.writeCycleMs) + " ms";
    }
    case ProgramRoutine::SectorFlash:
    case ProgramRoutine::TwoWirePages:
    case ProgramRoutine::TwoWireWordAddressPages:
      break;
  }
  return "Chip-timed writes";
}

}  // namespace burnlab
