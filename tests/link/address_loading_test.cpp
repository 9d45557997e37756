// Loading a device address into registers 1, 2 and 3, the address maps and IncADR.
#include <gtest/gtest.h>

#include "link/board_test_support.h"

namespace burnlab::testing {
namespace {

void loadAddress(Board& board, std::int32_t linear) {
  board.address.LinearAddress = linear;
  board.address.Endereco2Adr();
}

TEST(SETADR, WritesRegistersOneTwoThreeEveryTimeAndKeepsTheLinesOfRegisterThree) {
  BoardRig rig;
  rig.board.maps.fillIdentity();
  rig.board.address.Reg1Extra = 0x40;
  rig.board.address.Reg3Extra = 0x02;
  rig.board.Reg3 = 0x5F;  // CE asserted, REG4 line high, bit 4 set, an old address nibble
  loadAddress(rig.board, 0x01A2B3);
  rig.board.SETADR();
  rig.board.SETADR();
  const auto once =
      concat({rig.write(1, 0xA2 | 0x40), rig.write(2, 0xB3), rig.write(3, 0x50 | 0x01 | 0x02)});
  EXPECT_EQ(rig.port.lines, concat({once, once}));
  EXPECT_EQ(rig.board.Reg3, 0x53);
}

TEST(AddressMaps, FlashLoadsAddrHighFourAsRegisterThreeNibbleEightAndPastTheMapsItsLowByte) {
  // AddrHigh 0x104 is past the end of the map: it takes the entry of 4.
  for (const std::int32_t linear : {4 * 65536, 0x01040000}) {
    for (const auto load : {&Board::SETADR_FLASH, &Board::SETADR}) {
      BoardRig rig;
      rig.board.maps.buildFor(AddressWiring::A18OnPin1);
      rig.board.Reg3 = 0xC0;
      loadAddress(rig.board, linear);
      (rig.board.*load)();
      EXPECT_EQ(rig.board.Reg3, 0xC8) << std::hex << linear;
    }
  }
}

TEST(SETADR_XICOR, WritesOnlyTheRegistersThatChange) {
  BoardRig rig;
  rig.board.address.Reg1Extra = 64;
  rig.board.Reg1 = rig.board.Reg2 = 0;
  rig.board.Reg3 = 0x80;
  loadAddress(rig.board, 0x0001);  // AddrMid 0: register 1 gets the fixed bits alone
  rig.board.SETADR_XICOR();
  EXPECT_EQ(rig.port.lines, concat({rig.write(1, 64), rig.write(2, 0x01)}));

  rig.port.clear();
  rig.board.SETADR_XICOR();
  EXPECT_TRUE(rig.port.lines.empty());

  loadAddress(rig.board, 0x0101);  // AddrMid 1 gives 65, OR-ed with the fixed bits
  rig.board.SETADR_XICOR();
  EXPECT_EQ(rig.port.lines, rig.write(1, 65 | 64));

  rig.port.clear();
  loadAddress(rig.board, 0x010101);
  rig.board.SETADR_XICOR();
  EXPECT_EQ(rig.port.lines, rig.write(3, 0x81));
}

TEST(SETADR_XICOR, AgreesWithTheX28C256AddressMap) {
  for (const std::int32_t linear : {0x0000, 0x00FF, 0x0100, 0x3FFF, 0x4000, 0x5A5A, 0x7FFF}) {
    BoardRig mapped, xicor;
    mapped.board.maps.buildFor(AddressWiring::A14OnReg1Bit7);
    mapped.board.address.Reg1Extra = xicor.board.address.Reg1Extra = 64;
    loadAddress(mapped.board, linear);
    loadAddress(xicor.board, linear);
    xicor.board.Reg1 = -1;  // force the write
    mapped.board.SETADR();
    xicor.board.SETADR_XICOR();
    EXPECT_EQ(mapped.board.Reg1, xicor.board.Reg1) << std::hex << linear;
  }
}

TEST(IncADR, CarriesIntoTheUpperBytesAndWritesNothing) {
  BoardRig rig;
  loadAddress(rig.board, 0x0001FE);
  rig.board.address.IncADR();
  EXPECT_EQ(rig.board.address.AddrLow, 0xFF);
  EXPECT_EQ(rig.board.address.AddrMid, 0x01);
  rig.board.address.IncADR();
  EXPECT_EQ(rig.board.address.AddrLow, 0);
  EXPECT_EQ(rig.board.address.AddrMid, 0x02);

  loadAddress(rig.board, 0x03FFFF);
  rig.board.address.IncADR();
  EXPECT_EQ(rig.board.address.LinearAddress, 0x040000);
  EXPECT_EQ(rig.board.address.AddrLow, 0);
  EXPECT_EQ(rig.board.address.AddrMid, 0);
  EXPECT_EQ(rig.board.address.AddrHigh, 4);
  EXPECT_TRUE(rig.port.lines.empty());
}

}  // namespace
}  // namespace burnlab::testing
