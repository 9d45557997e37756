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
    BoardBench bench;
    auto& shadow = c.reg == 0 ? bench.board.Reg0 : bench.board.Reg3;
    shadow = c.before;
    (bench.board.*c.operation)();
    EXPECT_EQ(shadow, c.after) << c.name;
    EXPECT_EQ(bench.port.lines, bench.write(c.reg, static_cast<std::uint8_t>(c.after))) << c.name;
  }
}

TEST(LineOperations, OeOnAndVpp24OffHaveTheSameEffect) {
  BoardBench oeOn, vppOff;
  oeOn.board.Reg0 = vppOff.board.Reg0 = 0xFF;
  oeOn.board.OEON();
  vppOff.board.VPP24_OFF();
  EXPECT_EQ(oeOn.board.Reg0, vppOff.board.Reg0);
  EXPECT_EQ(oeOn.port.lines, vppOff.port.lines);
}

TEST(LineOperations, CeOeOnAndOffWriteRegisterThreeBeforeZero) {
  BoardBench bench(4);
  bench.board.Reg0 = 0xC0;
  bench.board.Reg3 = 0xC4;
  bench.board.CEOEON();
  EXPECT_EQ(bench.port.lines, concat({bench.write(3, 0x44), bench.write(0, 0x00)}));
  bench.port.clear();
  bench.board.CEOEOFF();
  EXPECT_EQ(bench.port.lines, concat({bench.write(3, 0xC4), bench.write(0, 0x40)}));
}

TEST(Reset, WritesTheIdleStateInOrderAndLeavesRegisterFour) {
  BoardBench bench;
  bench.board.Reg4 = 0x5A;
  bench.board.Reg1 = 0x77;
  bench.board.EraseMode = 1;
  bench.board.address.LinearAddress = 0x12345;
  bench.board.address.Reg1Extra = 0x60;
  bench.board.address.Reg3Extra = 0x02;
  bench.board.Reset();
  EXPECT_EQ(bench.port.lines, concat({bench.write(0, 0x40), bench.write(1, 0x60),
                                      bench.write(2, 0x00), bench.write(3, 0xC6)}));
  EXPECT_EQ(bench.board.Reg4, 0x5A);
  EXPECT_EQ(bench.board.address.LinearAddress, 0);
  EXPECT_EQ(bench.board.address.AddrHigh, 0);
  EXPECT_EQ(bench.board.EraseMode, 0);
  EXPECT_EQ(bench.indicators.progressResets, 1);
}

TEST(BlinkProgramLamp, TwiceRestoresTheActivityBit) {
  BoardBench bench;
  bench.board.Reg0 = 0x40;
  bench.board.BlinkProgramLamp();
  EXPECT_EQ(bench.board.Reg0, 0x48);
  bench.board.BlinkProgramLamp();
  EXPECT_EQ(bench.board.Reg0, 0x40);
  EXPECT_EQ(bench.indicators.toggles, 2);
  EXPECT_EQ(bench.port.lines, concat({bench.write(0, 0x48), bench.write(0, 0x40)}));
}

TEST(AddressSplit, GivesHighMidAndLowBytes) {
  DeviceAddress address;
  address.LinearAddress = 0x0FEDCB;
  address.Endereco2Adr();
  EXPECT_EQ(address.AddrHigh, 0x0F);
  EXPECT_EQ(address.AddrMid, 0xED);
  EXPECT_EQ(address.AddrLow, 0xCB);
}

}  // namespace
}  // namespace burnlab::testing
