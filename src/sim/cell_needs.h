#pragma once

#include <cstdint>

namespace burnlab::sim {

// How much program-pulse time each cell of an EPROM needs before its 0 bits read back 0. A
// cell's need is drawn once, from its address and the seed, so it is the same whatever order
// the cells are programmed in, and needs no memory:
//   - 95 % of the cells need between 0.3 and 1 nominal pulse (uniformly);
//   - the other 5 % need between 1 and the algorithm's maximum count of nominal pulses
//     (log-uniformly: most of them two or three pulses, a few nearly all of them).
// So the mean need is about one nominal pulse for a 25-pulse part, no cell needs more than the
// datasheet's algorithm gives, and a part with a one-pulse algorithm needs 0.3 to 1 pulse
// everywhere. `slowFactor` multiplies every need (a slow part); `fixedPulses` replaces the draw
// with exactly that many nominal pulses.
class CellNeeds {
 public:
  CellNeeds(std::uint64_t nominalNs, int maxPulses, std::uint64_t seed, int slowFactor,
            int fixedPulses);

  std::uint64_t needNs(std::uint32_t address) const;

  static constexpr double kShortest = 0.3;   // of a nominal pulse
  static constexpr double kLongTail = 0.05;  // share of cells needing more than one pulse

 private:
  std::uint64_t nominalNs_;
  int maxPulses_;
  std::uint64_t seed_;
  int slowFactor_;
  int fixedPulses_;
};

}  // namespace burnlab::sim
