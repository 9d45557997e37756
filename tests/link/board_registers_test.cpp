// The register write protocol and the model's control values, as seen on the port.
#include <gtest/gtest.h>

#include "link/board_test_support.h"

namespace burnlab::testing {
namespace {

TEST(RegisterWrite, IsDataThenIdleStrobeIdleForEachModel) {
  for (int model : {4, 5, 6}) {
    BoardBench bench(model, 0x278);
    bench.board.Reg2 = 0xA5;
    bench.board.SetReg2();
    const auto idle = model == 4 ? "08" : "07";
    const auto strobe = model == 4 ? "09" : "06";
    EXPECT_EQ(bench.port.lines,
              (std::vector<std::string>{"out 0278 A5", std::string("out 027A ") + idle,
                                        std::string("out 027A ") + strobe,
                                        std::string("out 027A ") + idle}))
        << "model " << model;
  }
}

TEST(RegisterWrite, WithNoModelSendsControlZeroThreeTimes) {
  CountingIndicators indicators;
  RecordingPort port;
  Board board(port, indicators);
  board.InitControlTables();
  board.setPortBase(0x378);
  board.SetupPortModel();
  board.Reg4 = 0x3C;
  board.SetReg4();
  EXPECT_EQ(port.lines, (std::vector<std::string>{"out 0378 3C", "out 037A 00", "out 037A 00",
                                                  "out 037A 00"}));
}

TEST(RegisterWrite, SendsOnlyTheLowByteAndRunsTwoShortDelays) {
  BoardBench bench;
  bench.board.ShortDelayCount = 7;
  bench.board.Reg1 = 0x1FF;
  bench.board.SetReg1();
  EXPECT_EQ(bench.port.lines.front(), "out 0378 FF");
  EXPECT_EQ(bench.board.delays().iterations(), 14u);
}

TEST(ControlTables, ModelFourAndFiveSixDifferInAllFourLowBits) {
  BoardBench bench;
  const auto& four = bench.board.model4Values();
  const auto& fiveSix = bench.board.model56Values();
  for (int reg = 0; reg < 5; ++reg) {
    EXPECT_EQ(four.idle[reg] ^ fiveSix.idle[reg], 0x0F) << reg;
    EXPECT_EQ(four.strobe[reg] ^ fiveSix.strobe[reg], 0x0F) << reg;
    // Model 4 strobes by raising bit 0, models 5 and 6 by lowering it.
    EXPECT_EQ(four.strobe[reg], four.idle[reg] | 1);
    EXPECT_EQ(fiveSix.strobe[reg], fiveSix.idle[reg] & ~1);
  }
  EXPECT_EQ(four.readSelectLow, 0);
  EXPECT_EQ(four.readSelectHigh, 4);
  EXPECT_EQ(fiveSix.readSelectLow, 5);
  EXPECT_EQ(fiveSix.readSelectHigh, 1);
}

TEST(SetupPortModel, DerivesRegistersAndKeepsSelectsForModelZero) {
  BoardBench bench(4, 0x3BC);
  EXPECT_EQ(bench.board.PortStatus, 0x3BD);
  EXPECT_EQ(bench.board.PortControl, 0x3BE);
  bench.board.Model = 0;
  bench.board.SetupPortModel();
  EXPECT_EQ(bench.board.CtrlIdle, bench.board.model4Values().idle);
  EXPECT_EQ(bench.board.ReadSelectHigh, 4);
}

TEST(Delays, CountZeroReturnsAtOnceAndFixedLoopsRunTheirBounds) {
  BoardBench bench;
  bench.board.DelayShort();
  bench.board.DelayMedium();
  bench.board.DelayLong();
  EXPECT_EQ(bench.board.delays().iterations(), 0u);
  bench.board.DelayLoop20();
  bench.board.DelayLoop10();
  bench.board.MediumDelayCount = 1000;
  bench.board.DelayMedium();
  EXPECT_EQ(bench.board.delays().iterations(), 1030u);
}

TEST(Delays, SettlingTimeFollowsTheShortFactorAndLeavesTheCounterPastTheBound) {
  BoardBench bench;
  bench.board.ShortDelayFactor = 3;
  bench.board.WaitSettlingTime();
  EXPECT_EQ(bench.board.delays().iterations(), 300u);
  EXPECT_EQ(bench.board.delays().counter(), 301);
  EXPECT_TRUE(bench.port.lines.empty());
}

}  // namespace
}  // namespace burnlab::testing
