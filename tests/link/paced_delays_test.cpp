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
  BoardBench bench;
  bench.board.MediumDelayCount = 202;
  bench.board.LongDelayCount = 1002;
  bench.board.DelayMedium();
  bench.board.DelayLong();
  EXPECT_EQ(bench.clock.waits, (std::vector<std::uint64_t>{101'000, 501'000}));
  EXPECT_EQ(bench.board.delays().iterations(), 1204u);
  EXPECT_EQ(bench.board.delays().counter(), 1003);
  // A count of 0 (no device chosen yet) neither counts nor waits.
  bench.board.MediumDelayCount = 0;
  bench.board.DelayMedium();
  EXPECT_EQ(bench.clock.waits.size(), 2u);
  EXPECT_TRUE(bench.port.lines.empty());
}

TEST(PacedDelays, ThePlainLoopsAskForNoWait) {
  BoardBench bench;
  bench.board.ShortDelayCount = 12;
  bench.board.DelayShort();
  bench.board.DelayLoop10();
  bench.board.DelayLoop20();
  bench.board.DelayLoop100();
  bench.board.DelayLoop300();
  bench.board.DelayLoop10000();
  bench.board.WaitSettlingTime();
  EXPECT_TRUE(bench.clock.waits.empty());
  EXPECT_EQ(bench.board.delays().iterations(), 12u + 10 + 20 + 100 + 300 + 10000 + 500);
}

// On a PC whose loop is too slow for the page writers' byte-load window, the command-cycle
// loop stops at 10 us; a pulse still runs its whole count and lasts at least its width.
TEST(PacedDelays, OnASlowPcTheCommandLoopEndsWithinTenMicrosecondsAndAPulseIsNeverShort) {
  BoardBench bench;
  SlowPcClock slow(1000);  // 1 us between two reads of the clock
  bench.board.paceDelaysWith(slow);
  bench.board.DelayLoop300();
  EXPECT_LT(bench.board.delays().iterations(), 300u);
  EXPECT_GE(bench.board.delays().iterations(), 150u);  // 10 reads, 16 iterations apart
  const auto before = slow.nowNs();
  const auto ran = bench.board.delays().iterations();
  bench.board.MediumDelayCount = 202;
  bench.board.DelayMedium();
  EXPECT_EQ(bench.board.delays().iterations() - ran, 202u);
  EXPECT_GE(slow.nowNs() - before, 101'000u);
}

}  // namespace
}  // namespace burnlab::testing
