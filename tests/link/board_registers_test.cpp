// The register write protocol and the model's control values, as seen on the port.
#include <gtest/gtest.h>

#include "link/board_test_support.h"

namespace burnlab::testing {
namespace {

TEST(RegisterWrite, IsDataThenIdleStrobeIdleForEachModel) {
  for (int model : {4, 5, 6}) {
    BoardRig rig(model, 0x278);
    rig.board.Reg2 = 0xA5;
    rig.board.SetReg2();
    const auto idle = model == 4 ? "08" : "07";
    const auto strobe = model == 4 ? "09" : "06";
    EXPECT_EQ(rig.port.lines,
              (std::vector<std::string>{"out 0278 A5", std::string("out 027A ") + idle,
                                        std::string("out 027A ") + strobe,
                                        std::string("out 027A ") + idle}))
        << "model " << model;
  }
}

TEST(RegisterWrite, WithNoModelSendsControlZeroThreeTimes) {
  BoardRig rig(0);  // no model
  rig.board.Reg4 = 0x3C;
  rig.board.SetReg4();
  EXPECT_EQ(rig.port.lines,
            (std::vector<std::string>{"out 0378 3C", "out 037A 00", "out 037A 00", "out 037A 00"}));
}

TEST(RegisterWrite, SendsOnlyTheLowByteAndRunsTwoShortDelays) {
  BoardRig rig;
  rig.board.ShortDelayCount = 7;
  rig.board.Reg1 = 0x1FF;
  rig.board.SetReg1();
  EXPECT_EQ(rig.port.lines.front(), "out 0378 FF");
  EXPECT_EQ(rig.board.delays().iterations(), 14u);
}

TEST(ControlTables, ModelFourAndFiveSixDifferInAllFourLowBitsAndModelZeroKeepsTheSelects) {
  BoardRig rig(4, 0x3BC);
  EXPECT_EQ(rig.board.PortStatus, 0x3BD);
  EXPECT_EQ(rig.board.PortControl, 0x3BE);
  const auto& four = rig.board.model4Values();
  const auto& fiveSix = rig.board.model56Values();
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

  // Set up for model 0, the board keeps model 4's values and read selects.
  rig.board.Model = 0;
  rig.board.SetupPortModel();
  EXPECT_EQ(rig.board.CtrlIdle, four.idle);
  EXPECT_EQ(rig.board.ReadSelectHigh, 4);
}

TEST(Delays, SettlingTimeFollowsTheShortFactorAndLeavesTheCounterPastTheBound) {
  BoardRig rig;
  rig.board.ShortDelayFactor = 3;
  rig.board.WaitSettlingTime();
  EXPECT_EQ(rig.board.delays().iterations(), 300u);
  EXPECT_EQ(rig.board.delays().counter(), 301);
  EXPECT_TRUE(rig.port.lines.empty());
}

}  // namespace
}  // namespace burnlab::testing
