// The program pulses last count x 0.5 us of the pace clock, whatever the PC's speed; the other
// loops only count, except the command-cycle loop, which also ends within 10 us.
#include <gtest/gtest.h>

#include "link/board_test_support.h"

namespace burnlab::testing {
namespace {

// A PC that runs its loop slowly: every read of the clock finds `stepNs` more passed.
class SlowPcClock final : public PaceClock {
 public:
  explicit SlowPcClock(std::uint64_t stepNs) : stepNs_(stepNs) {}
  std::uint64_t nowNs() override { return now_ += stepNs_; }
  void spinUntil(std::uint64_t deadlineNs) override {
    while (nowNs() < deadlineNs) {
    }
  }

 private:
  std::uint64_t stepNs_;
  std::uint64_t now_ = 0;
};

TEST(PacedDelays, WaitTheirCountsHalfMicrosecondsAndKeepTheirNominalIterations) {
  BoardRig rig;
  // Counts of 0 (no device chosen yet) neither count nor wait.
  rig.board.DelayShort();
  rig.board.DelayMedium();
  rig.board.DelayLong();
  EXPECT_EQ(rig.board.delays().iterations(), 0u);
  rig.board.MediumDelayCount = 202;
  rig.board.LongDelayCount = 1002;
  rig.board.DelayMedium();
  rig.board.DelayLong();
  EXPECT_EQ(rig.clock.waits, (std::vector<std::uint64_t>{101'000, 501'000}));
  EXPECT_EQ(rig.board.delays().iterations(), 1204u);
  EXPECT_EQ(rig.board.delays().counter(), 1003);
  EXPECT_TRUE(rig.port.lines.empty());
}

TEST(PacedDelays, ThePlainLoopsAskForNoWait) {
  BoardRig rig;
  rig.board.ShortDelayCount = 12;
  rig.board.DelayShort();
  rig.board.DelayLoop10();
  rig.board.DelayLoop20();
  rig.board.DelayLoop100();
  rig.board.DelayLoop300();
  rig.board.DelayLoop10000();
  rig.board.WaitSettlingTime();
  EXPECT_TRUE(rig.clock.waits.empty());
  EXPECT_EQ(rig.board.delays().iterations(), 12u + 10 + 20 + 100 + 300 + 10000 + 500);
}

// On a PC whose loop is too slow for the page writers' byte-load window, the command-cycle
// loop stops at 10 us; a pulse still runs its whole count and lasts at least its width.
TEST(PacedDelays, OnASlowPcTheCommandLoopEndsWithinTenMicrosecondsAndAPulseIsNeverShort) {
  BoardRig rig;
  SlowPcClock slow(1000);  // 1 us between two reads of the clock
  rig.board.paceDelaysWith(slow);
  rig.board.DelayLoop300();
  EXPECT_LT(rig.board.delays().iterations(), 300u);
  EXPECT_GE(rig.board.delays().iterations(), 150u);  // 10 reads, 16 iterations apart
  const auto before = slow.nowNs();
  const auto ran = rig.board.delays().iterations();
  rig.board.MediumDelayCount = 202;
  rig.board.DelayMedium();
  EXPECT_EQ(rig.board.delays().iterations() - ran, 202u);
  EXPECT_GE(slow.nowNs() - before, 101'000u);
}

}  // namespace
}  // namespace burnlab::testing
