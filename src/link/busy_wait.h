#pragma once

#include <cstdint>

namespace burnlab {

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

 private:
  volatile std::int32_t counter_ = 0;
  std::uint64_t iterations_ = 0;
};

}  // namespace burnlab
