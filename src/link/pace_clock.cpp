#include "link/pace_clock.h"

#include <chrono>

namespace burnlab {

std::uint64_t SteadyPaceClock::nowNs() {
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(sinceStart).count());
}

void SteadyPaceClock::spinUntil(std::uint64_t deadlineNs) {
  while (nowNs() < deadlineNs) {
  }
}

SteadyPaceClock& steadyPaceClock() {
  static SteadyPaceClock clock;
  return clock;
}

}  // namespace burnlab
