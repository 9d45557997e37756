#include "sim/cell_needs.h"

#include <cmath>

namespace burnlab::sim {
namespace {

// SplitMix64: a well-mixed 64-bit value from any 64-bit input.
std::uint64_t mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// A uniform number in [0, 1) from the top 53 bits.
double unit(std::uint64_t bits) {
  return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

}  // namespace

CellNeeds::CellNeeds(std::uint64_t nominalNs, int maxPulses, std::uint64_t seed, int slowFactor,
                     int fixedPulses)
    : nominalNs_(nominalNs),
      maxPulses_(maxPulses < 1 ? 1 : maxPulses),
      seed_(seed),
      slowFactor_(slowFactor < 1 ? 1 : slowFactor),
      fixedPulses_(fixedPulses) {}

std::uint64_t CellNeeds::needNs(std::uint32_t address) const {
  if (fixedPulses_ > 0) return nominalNs_ * static_cast<std::uint64_t>(fixedPulses_);
  const std::uint64_t first = mix(seed_ ^ mix(address));
  const double branch = unit(first);
  const double value = unit(mix(first));
  double pulses = kShortest + (1.0 - kShortest) * value;
  if (maxPulses_ > 1 && branch < kLongTail) {
    pulses = std::exp(std::log(static_cast<double>(maxPulses_)) * value);
  }
  const double ns = static_cast<double>(nominalNs_) * pulses * slowFactor_;
  return static_cast<std::uint64_t>(std::llround(ns));
}

}  // namespace burnlab::sim
