// The platform of a simulated run: it waits in real time unless told not to, and the simulated
// board's clock advances either way.
#include "launch/simulated_platform.h"

#include <gtest/gtest.h>

#include "sim/sim_clock.h"
#include "support/fake_platform.h"

namespace burnlab {
namespace {

TEST(SimulatedPlatform, WithoutRealWaitsTheSimulatedClockStillAdvances) {
  for (const bool realWaits : {true, false}) {
    testing::FakePlatform real;
    sim::VirtualClock clock;
    sim::SimTime time(clock, 1000);
    SimulatedPlatform platform(real, &time, realWaits);
    platform.Sleep(5);
    platform.spinUntilNs(platform.monotonicNs() + 100'000);  // a paced pulse's wait
    EXPECT_EQ(real.elapsedMs, realWaits ? 5 : 0) << realWaits;
    EXPECT_EQ(real.spins, realWaits ? 1u : 0u) << realWaits;
    EXPECT_EQ(clock.nowNs(), 5'000'000u) << "the chips see the sleep: " << realWaits;
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

TEST(SimulatedPlatform, WithoutASimulatedClockItAlwaysWaits) {
  // A real board (or none): its pulses and sleeps must last their time.
  testing::FakePlatform real;
  SimulatedPlatform platform(real, nullptr, false);
  platform.Sleep(3);
  platform.spinUntilNs(platform.monotonicNs() + 1000);
  EXPECT_EQ(real.elapsedMs, 3);
  EXPECT_EQ(real.spins, 1u);
}

}  // namespace
}  // namespace burnlab
