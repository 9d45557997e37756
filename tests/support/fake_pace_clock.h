#pragma once

#include <cstdint>
#include <vector>

#include "link/pace_clock.h"

namespace burnlab::testing {

// A virtual pace clock for a board without an App: a wait advances it at once and is noted.
class FakePaceClock final : public PaceClock {
 public:
  std::uint64_t nowNs() override { return now; }
  void spinUntil(std::uint64_t deadlineNs) override {
    waits.push_back(deadlineNs > now ? deadlineNs - now : 0);
    now = deadlineNs > now ? deadlineNs : now;
  }

  std::uint64_t now = 0;
  std::vector<std::uint64_t> waits;  // each busy-wait asked for, in ns
};

}  // namespace burnlab::testing
