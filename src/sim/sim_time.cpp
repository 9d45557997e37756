#include "sim/sim_time.h"

namespace burnlab::sim {

void SimTime::iterationsRan(std::uint64_t iterations) {
  const std::uint64_t ps = iterations * loopPs_ + carryPs_;
  clock_.advanceNs(ps / 1000);
  carryPs_ = ps % 1000;
}

void SimTime::slept(int milliseconds) {
  if (milliseconds > 0) clock_.advanceNs(static_cast<std::uint64_t>(milliseconds) * 1'000'000);
}

}  // namespace burnlab::sim
