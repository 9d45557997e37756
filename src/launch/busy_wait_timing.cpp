#include "launch/busy_wait_timing.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "link/busy_wait.h"

namespace burnlab {
namespace {

double measureOnce() {
  constexpr std::int32_t kIterations = 2'000'000;
  BusyWait loop;
  const auto start = std::chrono::steady_clock::now();
  loop.run(kIterations);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return std::chrono::duration<double, std::nano>(elapsed).count() / kIterations;
}

}  // namespace

double measuredBusyWaitNs() {
  static const double kMeasured = [] {
    double quickest = std::numeric_limits<double>::max();
    for (int round = 0; round < 5; ++round) quickest = std::min(quickest, measureOnce());
    return quickest;
  }();
  return kMeasured;
}

}  // namespace burnlab
