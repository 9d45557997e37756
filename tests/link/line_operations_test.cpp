// The named line operations, Reset and the Program lamp blink.
#include <gtest/gtest.h>

#include "link/board_test_support.h"

namespace burnlab::testing {
namespace {

TEST(LineOperations, SetAndClearTheirBitsAndWriteTheirRegister) {
  struct Case {
    const char* name;
    void (Board::*operation)();
    int reg;
    std::int16_t before;
    std::int16_t after;
  };
  const Case cases[] = {
      {"CEON", &Board::CEON, 3, 0xC4, 0x44},
      {"CEOFF", &Board::CEOFF, 3, 0x44, 0xC4},
      {"REG4ON", &Board::REG4ON, 3, 0xC4, 0x84},
      {"REG4OFF", &Board::REG4OFF, 3, 0x84, 0xC4},
      {"OEON", &Board::OEON, 0, 0xC9, 0x09},
      {"OEOFF", &Board::OEOFF, 0, 0x09, 0x49},
      {"VPP24_ON", &Board::VPP24_ON, 0, 0x01, 0xC1},
      {"VPP24_OFF", &Board::VPP24_OFF, 0, 0xC1, 0x01},
      {"ActivityLineOn", &Board::ActivityLineOn, 0, 0x40, 0x48},
      {"ActivityLineOff", &Board::ActivityLineOff, 0, 0x48, 0x40},
  };
  for (const auto& c : cases) {
    BoardRig rig;
    auto& shadow = c.reg == 0 ? rig.board.Reg0 : rig.board.Reg3;
    shadow = c.before;
    (rig.board.*c.operation)();
    EXPECT_EQ(shadow, c.after) << c.name;
    EXPECT_EQ(rig.port.lines, rig.write(c.reg, static_cast<std::uint8_t>(c.after))) << c.name;
  }
}

TEST(LineOperations, OeOnAndVpp24OffHaveTheSameEffect) {
  BoardRig oeOn, vppOff;
  oeOn.board.Reg0 = vppOff.board.Reg0 = 0xFF;
  oeOn.board.OEON();
  vppOff.board.VPP24_OFF();
  EXPECT_EQ(oeOn.board.Reg0, vppOff.board.Reg0);
  EXPECT_EQ(oeOn.port.lines, vppOff.port.lines);
}

TEST(LineOperations, CeOeOnAndOffWriteRegisterThreeBeforeZero) {
  BoardRig rig(4);
  rig.board.Reg0 = 0xC0;
  rig.board.Reg3 = 0xC4;
  rig.board.CEOEON();
  EXPECT_EQ(rig.port.lines, concat({rig.write(3, 0x44), rig.write(0, 0x00)}));
  rig.port.clear();
  rig.board.CEOEOFF();
  EXPECT_EQ(rig.port.lines, concat({rig.write(3, 0xC4), rig.write(0, 0x40)}));
}

TEST(Reset, WritesTheIdleStateInOrderAndLeavesRegisterFour) {
  BoardRig rig;
  rig.board.Reg4 = 0x5A;
  rig.board.Reg1 = 0x77;
  rig.board.EraseMode = 1;
  rig.board.address.LinearAddress = 0x12345;
  rig.board.address.Reg1Extra = 0x60;
  rig.board.address.Reg3Extra = 0x02;
  rig.board.Reset();
  EXPECT_EQ(rig.port.lines, concat({rig.write(0, 0x40), rig.write(1, 0x60), rig.write(2, 0x00),
                                    rig.write(3, 0xC6)}));
  EXPECT_EQ(rig.board.Reg4, 0x5A);
  EXPECT_EQ(rig.board.address.LinearAddress, 0);
  EXPECT_EQ(rig.board.address.AddrHigh, 0);
  EXPECT_EQ(rig.board.EraseMode, 0);
  EXPECT_EQ(rig.indicators.progressResets, 1);
}

TEST(BlinkProgramLamp, TwiceRestoresTheActivityBit) {
  BoardRig rig;
  rig.board.Reg0 = 0x40;
  rig.board.BlinkProgramLamp();
  EXPECT_EQ(rig.board.Reg0, 0x48);
  rig.board.BlinkProgramLamp();
  EXPECT_EQ(rig.board.Reg0, 0x40);
  EXPECT_EQ(rig.indicators.toggles, 2);
  EXPECT_EQ(rig.port.lines, concat({rig.write(0, 0x48), rig.write(0, 0x40)}));
}

}  // namespace
}  // namespace burnlab::testing
