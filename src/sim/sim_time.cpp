#include "sim/sim_time.h"

#include <algorithm>

namespace burnlab::sim {

void SimTime::advancePs(std::uint64_t ps) {
  const std::uint64_t total = ps + carryPs_;
  clock_.advanceNs(total / 1000);
  carryPs_ = total % 1000;
}

void SimTime::iterationsRan(std::uint64_t iterations) {
  advancePs(iterations * loopPs_);
}

void SimTime::pacedDelayRan(std::uint64_t iterations, std::uint64_t pacedNs) {
  advancePs(std::max(iterations * loopPs_, pacedNs * 1000));
}

void SimTime::boundedLoopRan(std::uint64_t iterations, std::uint64_t boundNs) {
  advancePs(std::min(iterations * loopPs_, boundNs * 1000));
}

void SimTime::slept(int milliseconds) {
  if (milliseconds > 0) clock_.advanceNs(static_cast<std::uint64_t>(milliseconds) * 1'000'000);
}

}  // namespace burnlab::sim
