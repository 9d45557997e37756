#pragma once

#include <cstdint>

namespace burnlab {

// Told how many iterations each busy-wait loop ran. A simulated board's clock listens, so that
// the delays take the time on it that they would take on the PC.
class BusyWaitObserver {
 public:
  virtual ~BusyWaitObserver() = default;
  virtual void iterationsRan(std::uint64_t iterations) = 0;
};

// A counting loop that really runs: the counter is volatile, so the optimiser keeps every
// iteration, and nothing sleeps or yields. The board's timing rests on these counts.
class BusyWait {
 public:
  // Counts from 1 to `bound` (nothing when bound < 1) and leaves the counter at bound + 1,
  // as a For loop does.
  void run(std::int32_t bound);

  // Iterations executed since construction: lets tests see that a delay ran, and how long.
  std::uint64_t iterations() const { return iterations_; }
  // The loop counter as the last loop left it.
  std::int32_t counter() const { return counter_; }

  // Tells `observer` (nullptr: no one) of every loop from now on.
  void observe(BusyWaitObserver* observer) { observer_ = observer; }

 private:
  volatile std::int32_t counter_ = 0;
  std::uint64_t iterations_ = 0;
  BusyWaitObserver* observer_ = nullptr;
};

}  // namespace burnlab
