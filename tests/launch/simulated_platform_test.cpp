// The platform of a simulated run: it waits in real time unless told not to, and the simulated
// board's clock advances either way.
#include "launch/simulated_platform.h"

#include <gtest/gtest.h>

#include "sim/sim_clock.h"
#include "support/fake_platform.h"

namespace burnlab {
namespace {

TEST(SimulatedPlatform, WithoutRealWaitsTheSimulatedClockStillAdvancesAndWithoutItAlwaysWaits) {
  // Without a simulated clock (a real board, or none) its pulses and sleeps must last their
  // time, whatever it is told.
  for (const auto& [simulated, realWaits] :
       {std::pair{true, true}, std::pair{true, false}, std::pair{false, false}}) {
    SCOPED_TRACE(std::string(simulated ? "simulated" : "real") + (realWaits ? ", waits" : ""));
    testing::FakePlatform real;
    sim::VirtualClock clock;
    sim::SimTime time(clock, 1000);
    SimulatedPlatform platform(real, simulated ? &time : nullptr, realWaits);
    platform.Sleep(5);
    platform.spinUntilNs(platform.monotonicNs() + 100'000);  // a paced pulse's wait
    const bool waits = realWaits || !simulated;
    EXPECT_EQ(real.elapsedMs, waits ? 5 : 0);
    EXPECT_EQ(real.spins, waits ? 1u : 0u);
    EXPECT_EQ(clock.nowNs(), simulated ? 5'000'000u : 0u) << "the chips see the sleep";
  }
}

TEST(SimulatedPlatform, WithoutRealWaitsItsClockMovesOnByTheSkippedWaits) {
  // A pulse timed on the platform's clock lasts the width it asked for, never less, so the
  // board test's pulse check passes a rehearsal that does not wait.
  testing::FakePlatform real;
  sim::VirtualClock clock;
  sim::SimTime time(clock, 1000);
  SimulatedPlatform platform(real, &time, false);
  const std::uint64_t start = platform.monotonicNs();
  platform.spinUntilNs(start + 101'000);
  EXPECT_EQ(platform.monotonicNs() - start, 101'000u);
  platform.spinUntilNs(start);  // a deadline already passed adds nothing
  platform.Sleep(2);
  EXPECT_EQ(platform.monotonicNs() - start, 2'101'000u);
}

}  // namespace
}  // namespace burnlab
