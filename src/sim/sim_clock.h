#pragma once

#include <cstdint>

namespace burnlab::sim {

// The simulated board's sense of time, in nanoseconds: the time a real PC with a real board
// would have taken. Port accesses, busy-wait iterations and sleeps advance it (SimTime), never
// the machine the simulation runs on, so a chip sees the same timing however loaded that is.
class SimClock {
 public:
  virtual ~SimClock() = default;
  virtual std::uint64_t nowNs() const = 0;
  virtual void advanceNs(std::uint64_t ns) = 0;
};

// Time that passes only when told: write cycles and timeouts cost no real time.
class VirtualClock final : public SimClock {
 public:
  std::uint64_t nowNs() const override { return now_; }
  void advanceNs(std::uint64_t ns) override { now_ += ns; }

 private:
  std::uint64_t now_ = 0;
};

// One port access on an ISA or LPC parallel port, or through ppdev, takes about a microsecond.
inline constexpr std::uint64_t kPortAccessNs = 1000;

}  // namespace burnlab::sim
