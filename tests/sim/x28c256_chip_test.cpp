// The X28C256 parallel EEPROM: byte and page loads, write cycle, polling and data protection.
#include "sim/x28c256_chip.h"

#include <gtest/gtest.h>

#include "page_load_driver.h"

namespace burnlab::sim {
namespace {

// Register 1 bit 6 is WE (socket pin 29), register 3 bit 1 its VCC (socket pin 30); A14 is on
// register 1 bit 7 (socket pin 3).
struct X28Driver : PageLoadDriver<X28C256Chip> {
  explicit X28Driver(const ChipOptions& options = {}) : PageLoadDriver(6, 7, options) {}
};

TEST(X28C256, AByteIsStoredAfterTheWriteCycleWhileReadsPollBit7AndToggleBit6) {
  X28Driver x;
  x.chip->setCell(0x7FC0, 0x00);
  x.load(0x7FC0, 0x35);
  EXPECT_EQ(x.chip->cell(0x7FC0), 0x00) << "nothing stored while the load may go on";
  x.waitMs(1);
  const std::uint8_t first = x.read(0x7FC0);
  const std::uint8_t second = x.read(0x7FC0);
  EXPECT_EQ(first & 0x80, 0x80) << "the complement of bit 7 of 35h";
  EXPECT_EQ(second & 0x80, 0x80);
  EXPECT_NE(first & 0x40, second & 0x40) << "bit 6 toggles from read to read";
  x.waitMs(5);
  EXPECT_EQ(x.read(0x7FC0), 0x35);
  EXPECT_FALSE(x.chip->dataProtection(x.rig.clock.nowNs()));
}

TEST(X28C256, APageLoadStoresAllItsBytesInThePageOfTheFirst) {
  X28Driver x({.slowWriteCycle = true});
  for (std::uint32_t i = 0; i < 64; ++i) x.load(0x1240 + i, static_cast<std::uint8_t>(i));
  x.load(0x2285, 0xEE);  // another page's address: only A0..A5 count
  x.waitMs(6);
  EXPECT_TRUE(x.chip->busy(x.rig.clock.nowNs())) << "a slow part takes 10 ms";
  x.waitMs(5);
  EXPECT_EQ(x.read(0x1241), 0x01);
  EXPECT_EQ(x.read(0x127F), 0x3F);
  EXPECT_EQ(x.read(0x1245), 0xEE);
  EXPECT_EQ(x.chip->cell(0x2285), 0xFF);
}

TEST(X28C256, APauseLongerThanTheByteLoadWindowEndsTheLoad) {
  X28Driver x;
  x.load(0x0000, 0x11);
  x.rig.advanceUs(150);
  x.load(0x0001, 0x22);  // arrives during the write cycle: ignored
  x.waitMs(6);
  EXPECT_EQ(x.read(0x0000), 0x11);
  EXPECT_EQ(x.read(0x0001), 0xFF);
}

TEST(X28C256, WhileProtectedOnlyPrefixedLoadsStoreAndCommandBytesNever) {
  X28Driver x({.startLocked = true});
  x.writeByte(0x0100, 0x00, 1);
  EXPECT_EQ(x.read(0x0100) & 0x80, 0x80) << "a dummy write cycle polls";
  x.waitMs(5);
  EXPECT_EQ(x.read(0x0100), 0xFF);

  x.command(0xA0);
  x.writeByte(0x0100, 0x42, 6);
  EXPECT_EQ(x.read(0x0100), 0x42);
  EXPECT_EQ(x.read(0x5555), 0xFF);
  EXPECT_EQ(x.read(0x2AAA), 0xFF);
  EXPECT_TRUE(x.chip->dataProtection(x.rig.clock.nowNs()));

  x.protectionOff(6);
  EXPECT_FALSE(x.chip->dataProtection(x.rig.clock.nowNs()));
  EXPECT_EQ(x.read(0x5555), 0xFF);
  x.writeByte(0x0101, 0x24, 6);
  EXPECT_EQ(x.read(0x0101), 0x24);
}

TEST(X28C256, TheEnableSequenceAloneTurnsProtectionOn) {
  X28Driver x;
  x.command(0xA0);
  x.waitMs(6);
  EXPECT_TRUE(x.chip->dataProtection(x.rig.clock.nowNs()));
  x.writeByte(0x0200, 0x00, 6);
  EXPECT_EQ(x.read(0x0200), 0xFF);
}

TEST(X28C256, WritesNeedOeHighAndVcc) {
  X28Driver x;
  x.load(0x10, 0x00, false);  // WE low with OE low writes nothing
  x.rig.set(3, 0xC0);         // no VCC
  x.writeByte(0x11, 0x00, 6);
  x.rig.set(3, 0xC2);
  EXPECT_EQ(x.read(0x10), 0xFF);
  EXPECT_EQ(x.read(0x11), 0xFF);
}

TEST(X28C256, TheBoardHearsOfIgnoredAndRefusedWritesAndOfAProgrammingVoltage) {
  X28Driver x({.startLocked = true});
  x.load(0x0100, 0x00);
  x.rig.advanceUs(150);
  x.load(0x0140, 0x00);  // during the dummy write cycle
  EXPECT_EQ(x.rig.eventTexts(SimEventKind::WriteRefusedByProtection).at(0),
            "a write of 1 byte at 0100h kept out by the X28C256's data protection");
  EXPECT_EQ(x.rig.eventTexts(SimEventKind::WriteIgnoredWhileBusy).at(0),
            "a write to 0140h while the X28C256's write cycle runs");
  x.waitMs(6);
  x.command(0xA0);
  x.waitMs(6);
  EXPECT_EQ(x.rig.sim.events().count(SimEventKind::WriteRefusedByProtection), 1u)
      << "the enable sequence is no refused write";

  x.rig.set(0, 0x40 | 0x10);  // 12.5 V on socket pin 3: the X28C256's A14
  EXPECT_TRUE(x.chip->destroyed());
  EXPECT_EQ(x.rig.eventTexts(SimEventKind::ChipDestroyed).at(0),
            "X28C256 destroyed: 12.5 V on pin 1 (A14)");
  EXPECT_EQ(x.rig.eventTexts(SimEventKind::VoltageOnWrongPin).at(0),
            "12.5 V on pin 1 (A14) of the X28C256, a pin that takes no programming voltage");
  x.rig.set(0, 0x40);
  x.chip->setCell(0x10, 0x12);
  EXPECT_EQ(x.read(0x10), 0xFF);
}

}  // namespace
}  // namespace burnlab::sim
