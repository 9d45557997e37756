#pragma once

#include "link/pace_clock.h"
#include "panel/platform.h"

namespace burnlab {

// The board's program pulses keep their time by the platform's monotonic clock, as sleeps
// keep theirs by the platform: a virtual clock in tests, the steady clock in the program.
class PlatformPaceClock final : public PaceClock {
 public:
  explicit PlatformPaceClock(Platform& platform) : platform_(platform) {}
  std::uint64_t nowNs() override { return platform_.monotonicNs(); }
  void spinUntil(std::uint64_t deadlineNs) override { platform_.spinUntilNs(deadlineNs); }

 private:
  Platform& platform_;
};

}  // namespace burnlab
