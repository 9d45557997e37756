#pragma once

#include <cstdint>

#include "link/busy_wait.h"
#include "sim/sim_clock.h"

namespace burnlab::sim {

// What one simulated run's time is made of, so that it predicts a real run on a real PC.
struct SimTiming {
  std::uint64_t accessNs = kPortAccessNs;  // one port access
  std::uint64_t loopPs = 1000;             // one busy-wait iteration, in picoseconds
  std::uint64_t seed = 1;                  // draws the chips' cells' programming needs
};

// Advances the simulated clock as the PC's busy-wait loops and sleeps would take time; the
// board itself adds the port accesses. Iterations shorter than a nanosecond are summed in
// picoseconds, so no fraction is lost however short the loops.
//   A plain loop takes its iterations' time. A paced delay (a program pulse) takes its paced
//   time, or its iterations' time where that is longer. A loop bounded in time takes its
//   iterations' time, at most its bound.
class SimTime final : public BusyWaitObserver {
 public:
  SimTime(SimClock& clock, std::uint64_t loopPs) : clock_(clock), loopPs_(loopPs) {}

  void iterationsRan(std::uint64_t iterations) override;
  void pacedDelayRan(std::uint64_t iterations, std::uint64_t pacedNs) override;
  void boundedLoopRan(std::uint64_t iterations, std::uint64_t boundNs) override;
  void slept(int milliseconds);

  SimClock& clock() { return clock_; }

 private:
  void advancePs(std::uint64_t ps);

  SimClock& clock_;
  std::uint64_t loopPs_;
  std::uint64_t carryPs_ = 0;
};

}  // namespace burnlab::sim
