#pragma once

#include <cstdint>

#include "link/pace_clock.h"

namespace burnlab {

// Told how many iterations each busy-wait loop ran. A simulated board's clock listens, so that
// the delays take the time on it that they would take on the PC.
class BusyWaitObserver {
 public:
  virtual ~BusyWaitObserver() = default;
  // A plain counting loop ran `iterations`.
  virtual void iterationsRan(std::uint64_t iterations) = 0;
  // A paced delay ran `iterations` and then waited until it had lasted `pacedNs` in all.
  virtual void pacedDelayRan(std::uint64_t iterations, std::uint64_t pacedNs) = 0;
  // A loop bounded in time ran `iterations`, ending early once `boundNs` had passed.
  virtual void boundedLoopRan(std::uint64_t iterations, std::uint64_t boundNs) = 0;
};

// A counting loop that really runs: the counter is volatile, so the optimiser keeps every
// iteration, and nothing sleeps or yields. Most of the board's timing rests on these counts;
// the program pulses also rest on the pace clock, so that they last as long on a fast PC.
class BusyWait {
 public:
  // Counts from 1 to `bound` (nothing when bound < 1) and leaves the counter at bound + 1,
  // as a For loop does.
  void run(std::int32_t bound);
  // Runs the `bound` iterations, then keeps busy-waiting until bound x `nsPerCount` of the
  // pace clock's time have passed since it began: it may last longer (the system can preempt
  // us), never shorter. The iterations and the counter are those of run(bound).
  void runPaced(std::int32_t bound, std::uint64_t nsPerCount);
  // Counts as run(bound) does, but ends early once `maxNs` of the pace clock's time have
  // passed: on a slow PC it still ends in time. The counter is left one past the last
  // iteration run.
  void runBounded(std::int32_t bound, std::uint64_t maxNs);

  // Iterations executed since construction: lets tests see that a delay ran, and how long.
  std::uint64_t iterations() const { return iterations_; }
  // The loop counter as the last loop left it.
  std::int32_t counter() const { return counter_; }

  // Tells `observer` (nullptr: no one) of every loop from now on.
  void observe(BusyWaitObserver* observer) { observer_ = observer; }
  // The clock the paced and bounded loops read from now on (the machine's steady clock until
  // then). It must outlive the loop.
  void paceWith(PaceClock& clock) { clock_ = &clock; }

 private:
  // The counting itself; returns the iterations run.
  std::uint64_t count(std::int32_t bound);

  volatile std::int32_t counter_ = 0;
  std::uint64_t iterations_ = 0;
  BusyWaitObserver* observer_ = nullptr;
  PaceClock* clock_ = &steadyPaceClock();
};

}  // namespace burnlab
