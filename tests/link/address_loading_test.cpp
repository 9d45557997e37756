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
  BoardBench bench;
  bench.board.maps.fillIdentity();
  bench.board.address.Reg1Extra = 0x40;
  bench.board.address.Reg3Extra = 0x02;
  bench.board.Reg3 = 0x5F;  // CE asserted, REG4 line high, bit 4 set, an old address nibble
  loadAddress(bench.board, 0x01A2B3);
  bench.board.SETADR();
  bench.board.SETADR();
  const auto once = concat(
      {bench.write(1, 0xA2 | 0x40), bench.write(2, 0xB3), bench.write(3, 0x50 | 0x01 | 0x02)});
  EXPECT_EQ(bench.port.lines, concat({once, once}));
  EXPECT_EQ(bench.board.Reg3, 0x53);
}

TEST(AddressMaps, FlashLoadsAddrHighFourAsRegisterThreeNibbleEight) {
  BoardBench bench;
  bench.board.maps.buildFor(AddressWiring::A18OnPin1);
  bench.board.Reg3 = 0xC0;
  loadAddress(bench.board, 4 * 65536);
  bench.board.SETADR_FLASH();
  EXPECT_EQ(bench.board.Reg3, 0xC8);
}

TEST(SETADR, AnAddressBeyondTheMapsTakesTheEntryOfItsLowByte) {
  BoardBench bench;
  bench.board.maps.buildFor(AddressWiring::A18OnPin1);
  bench.board.Reg3 = 0xC0;
  loadAddress(bench.board, 0x01040000);  // AddrHigh 0x104: past the end of the map
  bench.board.SETADR();
  EXPECT_EQ(bench.board.Reg3, 0xC8);
}

TEST(SETADR_XICOR, WritesOnlyTheRegistersThatChange) {
  BoardBench bench;
  bench.board.address.Reg1Extra = 64;
  bench.board.Reg1 = bench.board.Reg2 = 0;
  bench.board.Reg3 = 0x80;
  loadAddress(bench.board, 0x0001);  // AddrMid 0: register 1 gets the fixed bits alone
  bench.board.SETADR_XICOR();
  EXPECT_EQ(bench.port.lines, concat({bench.write(1, 64), bench.write(2, 0x01)}));

  bench.port.clear();
  bench.board.SETADR_XICOR();
  EXPECT_TRUE(bench.port.lines.empty());

  loadAddress(bench.board, 0x0101);  // AddrMid 1 gives 65, OR-ed with the fixed bits
  bench.board.SETADR_XICOR();
  EXPECT_EQ(bench.port.lines, bench.write(1, 65 | 64));

  bench.port.clear();
  loadAddress(bench.board, 0x010101);
  bench.board.SETADR_XICOR();
  EXPECT_EQ(bench.port.lines, bench.write(3, 0x81));
}

TEST(SETADR_XICOR, AgreesWithTheX28C256AddressMap) {
  for (const std::int32_t linear : {0x0000, 0x00FF, 0x0100, 0x3FFF, 0x4000, 0x5A5A, 0x7FFF}) {
    BoardBench mapped, xicor;
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
  BoardBench bench;
  loadAddress(bench.board, 0x0001FE);
  bench.board.address.IncADR();
  EXPECT_EQ(bench.board.address.AddrLow, 0xFF);
  EXPECT_EQ(bench.board.address.AddrMid, 0x01);
  bench.board.address.IncADR();
  EXPECT_EQ(bench.board.address.AddrLow, 0);
  EXPECT_EQ(bench.board.address.AddrMid, 0x02);

  loadAddress(bench.board, 0x03FFFF);
  bench.board.address.IncADR();
  EXPECT_EQ(bench.board.address.LinearAddress, 0x040000);
  EXPECT_EQ(bench.board.address.AddrLow, 0);
  EXPECT_EQ(bench.board.address.AddrMid, 0);
  EXPECT_EQ(bench.board.address.AddrHigh, 4);
  EXPECT_TRUE(bench.port.lines.empty());
}

}  // namespace
}  // namespace burnlab::testing
