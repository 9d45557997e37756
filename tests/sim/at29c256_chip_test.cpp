// The AT29C256 sector-write flash: its pins, sector program and data protection, driven through
// the board registers. (Its identification and chip erase are run by the program's own
// routines in flash_sim_test.)
#include "sim/at29c256_chip.h"

#include <gtest/gtest.h>

#include "page_load_driver.h"

namespace burnlab::sim {
namespace {

// WE is register 1 bit 7 (socket pin 3, the chip's pin 1) and A14 register 1 bit 6 (socket pin
// 29, its pin 27): the reverse of the X28C256.
struct At29Driver : PageLoadDriver<At29c256Chip> {
  explicit At29Driver(const ChipOptions& options = {}) : PageLoadDriver(7, 6, options) {}
};

TEST(AT29C256, ItsA14IsSocketPin29AndItsWeSocketPin3) {
  At29Driver a;
  a.chip->setCell(0x4000, 0x11);
  a.chip->setCell(0x0000, 0x22);
  EXPECT_EQ(a.read(0x4000), 0x11);
  EXPECT_EQ(a.read(0x0000), 0x22);
  // WE low without OE high writes nothing; with register 1 bit 7 high nothing loads at all.
  a.rig.set(1, 0x80);
  a.rig.set(4, 0x00);
  a.rig.setBit(3, 6, false);
  a.rig.setBit(3, 7, false);
  a.rig.setBit(3, 7, true);
  a.waitMs(11);
  EXPECT_EQ(a.read(0x0000), 0x22) << "CE alone loads nothing while WE stays high";
}

TEST(AT29C256, ASectorWriteErasesTheBytesNotLoadedWhilePollingShowsTheCycle) {
  At29Driver a;
  for (std::uint32_t i = 0; i < 64; ++i) a.chip->setCell(0x7FC0 + i, 0x00);
  a.chip->setCell(0x7F80, 0x00);
  a.load(0x7FC1, 0x35);
  a.rig.advanceUs(100);  // the next WE edge comes within the 150 us byte-load window
  a.load(0x7FC2, 0x36);
  a.rig.advanceUs(200);
  const std::uint8_t first = a.read(0x7FC1);
  const std::uint8_t second = a.read(0x7FC1);
  EXPECT_EQ(first & 0x80, 0x80) << "the complement of bit 7 of 36h";
  EXPECT_NE(first & 0x40, second & 0x40);
  a.waitMs(10);
  EXPECT_EQ(a.read(0x7FC1), 0x35);
  EXPECT_EQ(a.read(0x7FC2), 0x36);
  EXPECT_EQ(a.read(0x7FC0), 0xFF) << "a byte of the sector not loaded is erased";
  EXPECT_EQ(a.read(0x7FFF), 0xFF);
  EXPECT_EQ(a.read(0x7F80), 0x00) << "another sector is untouched";

  a.load(0x0000, 0x11);
  a.rig.advanceUs(160);
  a.load(0x0001, 0x22);  // after the window: during the cycle, ignored and reported
  a.waitMs(11);
  EXPECT_EQ(a.read(0x0000), 0x11);
  EXPECT_EQ(a.read(0x0001), 0xFF);
  EXPECT_EQ(a.rig.sim.events().count(SimEventKind::WriteIgnoredWhileBusy), 1u);
}

TEST(AT29C256, DataProtectionIsOffAsShippedAndKeepsOutUnprefixedWritesWhenOn) {
  At29Driver a;
  EXPECT_FALSE(a.chip->dataProtection(0));
  a.command(0xA0);
  a.writeByte(0x0100, 0x42, 11);
  EXPECT_EQ(a.read(0x0100), 0x42);
  EXPECT_TRUE(a.chip->dataProtection(a.rig.clock.nowNs()));
  a.writeByte(0x0140, 0x00, 11);
  EXPECT_EQ(a.read(0x0140), 0xFF);
  EXPECT_EQ(a.rig.sim.events().count(SimEventKind::WriteRefusedByProtection), 1u);

  a.protectionOff(11);
  EXPECT_FALSE(a.chip->dataProtection(a.rig.clock.nowNs()));
  a.writeByte(0x0140, 0x24, 11);
  EXPECT_EQ(a.read(0x0140), 0x24);

  At29Driver l({.startLocked = true});
  l.writeByte(0x0000, 0x00, 11);
  EXPECT_EQ(l.read(0x0000), 0xFF);
}

TEST(AT29C256, OeStandsTwelveVoltsAndWeDoesNot) {
  At29Driver a;
  a.rig.set(0, 0x80);  // 12.5 V on OE
  EXPECT_FALSE(a.chip->destroyed());
  a.rig.set(0, 0x40 | 0x10);  // on socket pin 3: the AT29C256's WE
  EXPECT_TRUE(a.chip->destroyed());
}

}  // namespace
}  // namespace burnlab::sim
