#include "ops/pulse_timing.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "devices/program_speed.h"
#include "util/kept_value.h"

namespace burnlab {
namespace {

// The speed slider as the program starts: 18 of 20, the position every device's delay factors
// were chosen for.
constexpr std::int32_t kDefaultSliderValue = 18;
constexpr std::int32_t kSliderMax = 20;

// The stop check comes once in this many pulses, between two of them.
constexpr int kPulsesPerStopCheck = 100;


std::string microseconds(std::uint64_t ns) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f µs", static_cast<double>(ns) / 1000);
  return text;
}

std::string ratio(std::uint64_t ns, std::uint64_t ofNs) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(ns) / static_cast<double>(ofNs));
  return text;
}

}  // namespace

std::int32_t defaultMediumDelayCount() {
  return programSpeedCounts(kDefaultSliderValue, kSliderMax, DelayFactors{}).mediumCount;
}

PulseFigures measureProgramPulses(Board& board, const std::function<std::uint64_t()>& monotonicNs,
                                  int pulses, const std::function<void()>& betweenPulses) {
  // The medium count is set back whatever ends the measurement, a stop included.
  const KeptValue keptCount(board.MediumDelayCount);
  board.MediumDelayCount = defaultMediumDelayCount();
  std::vector<std::uint64_t> widths;
  widths.reserve(static_cast<std::size_t>(std::max(pulses, 0)));
  for (int pulse = 0; pulse < pulses; ++pulse) {
    if (pulse % kPulsesPerStopCheck == 0 && betweenPulses) betweenPulses();
    const auto start = monotonicNs();
    board.DelayMedium();
    widths.push_back(monotonicNs() - start);
  }
  PulseFigures figures;
  figures.requestedNs =
      static_cast<std::uint64_t>(board.MediumDelayCount) * Board::kPulseNsPerCount;
  figures.pulses = static_cast<int>(widths.size());
  if (widths.empty()) return figures;
  std::sort(widths.begin(), widths.end());
  figures.shortestNs = widths.front();
  figures.medianNs = widths[widths.size() / 2];
  figures.longestNs = widths.back();
  return figures;
}

PulseVerdict judgePulses(const PulseFigures& f) {
  if (f.shortestNs < f.requestedNs) return PulseVerdict::TooShort;
  // In whole nanoseconds, without rounding: 20 % long is still within bounds.
  if (f.medianNs * 5 > f.requestedNs * 6) return PulseVerdict::MedianLong;
  if (f.longestNs > f.requestedNs * 5) return PulseVerdict::PulseLong;
  return PulseVerdict::Precise;
}

std::string pulseText(const PulseFigures& f, PulseVerdict verdict) {
  std::string text = "requested " + microseconds(f.requestedNs) + "; shortest " +
                     microseconds(f.shortestNs) + ", median " + microseconds(f.medianNs) +
                     ", longest " + microseconds(f.longestNs) + " in " + std::to_string(f.pulses) +
                     " pulses";
  const auto percentLong = [&](std::uint64_t ns) {
    return std::to_string((ns - f.requestedNs) * 100 / f.requestedNs);
  };
  switch (verdict) {
    case PulseVerdict::TooShort:
      return text + ": pulses shorter than requested may leave bytes unprogrammed";
    case PulseVerdict::MedianLong:
      return text + ": the median is " + percentLong(f.medianNs) +
             " % long, which means a loaded or virtual machine";
    case PulseVerdict::PulseLong:
      return text + ": a pulse lasted " + ratio(f.longestNs, f.requestedNs) +
             " times its width, which means a loaded or virtual machine";
    default:
      return text;
  }
}

}  // namespace burnlab
