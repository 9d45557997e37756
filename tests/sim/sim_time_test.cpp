// The simulated clock: busy-wait loops and sleeps take the time a real PC would.
#include "sim/sim_time.h"

#include <gtest/gtest.h>

#include <tuple>

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

// A program pulse takes its paced half microsecond per count, or its iterations' time on a PC
// slower than that; a plain loop its iterations' time; a command-cycle loop at most 10 us.
TEST(SimTime, TheBoardsDelayLoopsReallyRunAndTakeTheirTimeOnTheClock) {
  for (const auto& [loopPs, pulseNs, plainNs, boundedNs] :
       {std::tuple{2000u, 50'000'000u, 40u, 600u},
        std::tuple{700'000u, 70'000'000u, 14'000u, 10'000u}}) {
    SocketRig rig;
    SimTime time(rig.clock, loopPs);
    rig.board.observeDelays(&time);
    rig.board.LongDelayCount = 100'000;
    const auto ran = rig.board.delays().iterations();
    auto before = rig.clock.nowNs();
    rig.board.DelayLong();
    EXPECT_EQ(rig.board.delays().iterations() - ran, 100'000u) << "the count stays nominal";
    EXPECT_EQ(rig.clock.nowNs() - before, pulseNs) << loopPs;
    before = rig.clock.nowNs();
    rig.board.DelayLoop20();
    EXPECT_EQ(rig.clock.nowNs() - before, plainNs) << loopPs;
    before = rig.clock.nowNs();
    rig.board.DelayLoop300();
    EXPECT_EQ(rig.clock.nowNs() - before, boundedNs) << loopPs;
    rig.board.observeDelays(nullptr);
    before = rig.clock.nowNs();
    rig.board.DelayLong();
    EXPECT_EQ(rig.clock.nowNs(), before);
  }
}

}  // namespace
}  // namespace burnlab::sim
