// The simulated clock: busy-wait loops and sleeps take the time a real PC would.
#include "sim/sim_time.h"

#include <gtest/gtest.h>

#include "link/board.h"
#include "socket_rig.h"

namespace burnlab::sim {
namespace {

TEST(SimTime, BusyWaitIterationsAddUpInPicoseconds) {
  VirtualClock clock;
  SimTime time(clock, 700);
  time.iterationsRan(3);
  EXPECT_EQ(clock.nowNs(), 2u);  // 2.1 ns
  time.iterationsRan(1);
  EXPECT_EQ(clock.nowNs(), 2u);  // 2.8 ns
  time.iterationsRan(1);
  EXPECT_EQ(clock.nowNs(), 3u);  // 3.5 ns: no fraction is lost
  time.iterationsRan(1'000'000);
  EXPECT_EQ(clock.nowNs(), 700'003u);
  time.slept(500);
  EXPECT_EQ(clock.nowNs(), 500'700'003u);
  time.slept(-1);
  EXPECT_EQ(clock.nowNs(), 500'700'003u);
}

TEST(SimTime, TheBoardsDelayLoopsReallyRunAndTakeTheirTimeOnTheClock) {
  SocketRig rig;
  SimTime time(rig.clock, 2000);
  rig.board.observeDelays(&time);
  rig.board.LongDelayCount = 50'000;
  const auto before = rig.clock.nowNs();
  const auto ran = rig.board.delays().iterations();
  rig.board.DelayLong();
  EXPECT_EQ(rig.board.delays().iterations() - ran, 50'000u);
  EXPECT_EQ(rig.clock.nowNs() - before, 100'000u);
  rig.board.observeDelays(nullptr);
  rig.board.DelayLong();
  EXPECT_EQ(rig.clock.nowNs() - before, 100'000u);
}

}  // namespace
}  // namespace burnlab::sim
