// The 32-pin sector flash chips driven through the board registers: identification, program,
// erase, status polling, unlock decoding, protection and the voltages they stand.
#include "sim/sector_flash_chip.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "parallel_driver.h"

namespace burnlab::sim {
namespace {

constexpr std::uint8_t kDq7 = 0x80, kDq6 = 0x40, kDq5 = 0x20, kDq3 = 0x08;

// Register 3: A16 bit 0, A17 bit 1, WE bit 2 (socket pin 31), A18 bit 3 (socket pin 1), REG4 bit
// 6, CE bit 7. Register 1 carries A8..A15 as they are.
struct FlashDriver {
  explicit FlashDriver(std::string_view part, const ChipOptions& options = {})
      : chip(std::static_pointer_cast<SectorFlashChip>(makeChip(part, options))) {
    rig.set(0, kOeHigh);
    rig.set(3, 0xC4);  // CE and WE high, the bus released
    rig.sim.insert(chip);
  }

  static int high(std::uint32_t at) {
    return static_cast<int>((at >> 16 & 0x03) | (at >> 18 & 0x01) << 3);
  }
  void address(std::uint32_t at) {
    rig.set(2, static_cast<int>(at & 0xFF));
    rig.set(1, static_cast<int>(at >> 8 & 0xFF));
  }
  // One WE-controlled write cycle, as the JEDEC timing diagrams draw it.
  void write(std::uint32_t at, std::uint8_t data) {
    rig.set(0, kOeHigh);
    rig.set(4, data);
    address(at);
    rig.set(3, high(at) | 0x84);  // the board drives the bus, CE and WE high
    rig.set(3, high(at) | 0x04);  // CE low
    rig.set(3, high(at));         // WE low: the address is taken
    rig.set(3, high(at) | 0x04);  // WE high: the data is taken
    rig.set(3, high(at) | 0xC4);  // CE high, the bus released
  }
  void unlock(std::uint8_t command, std::uint32_t first = 0x555, std::uint32_t second = 0x2AA) {
    write(first, 0xAA);
    write(second, 0x55);
    write(first, command);
  }
  // The byte program command, then the byte.
  void program(std::uint32_t at, std::uint8_t data) {
    unlock(0xA0);
    write(at, data);
  }
  // The six cycles of a chip erase.
  void eraseChip() {
    unlock(0x80);
    unlock(0x10);
  }
  // One read cycle: CE and OE low, then both high again.
  std::uint8_t read(std::uint32_t at) {
    rig.set(4, 0xFF);
    address(at);
    rig.set(3, high(at) | 0x44);  // CE low
    rig.set(0, 0x00);             // OE low
    const std::uint8_t value = rig.readBus();
    rig.set(0, kOeHigh);
    rig.set(3, high(at) | 0xC4);
    return value;
  }
  void waitUs(std::uint64_t us) { rig.advanceUs(us); }
  std::uint64_t events(SimEventKind kind) const { return rig.sim.events().count(kind); }

  SocketRig rig;
  std::shared_ptr<SectorFlashChip> chip;
};

TEST(SectorFlash, EachPartIdentifiesItselfAndTheResetCommandReturnsToTheArray) {
  for (const auto& [part, size, maker, device] : {std::tuple{"AM29F010", 128 * 1024u, 0x01, 0x20},
                                                  std::tuple{"AM29F020", 256 * 1024u, 0x01, 0x34},
                                                  std::tuple{"AM29F040", 512 * 1024u, 0x01, 0xA4},
                                                  std::tuple{"A29040", 512 * 1024u, 0x37, 0x86}}) {
    FlashDriver f(part);
    ASSERT_EQ(f.chip->size(), size) << part;
    f.chip->setCell(0, 0x12);
    f.chip->setCell(1, 0x34);
    f.unlock(0x90);
    EXPECT_EQ(f.read(0), maker) << part;
    EXPECT_EQ(f.read(1), device) << part;
    EXPECT_EQ(f.read(2), 0x00) << part << ": no sector is protected";
    f.write(0x1234, 0xF0);
    EXPECT_EQ(f.read(0), 0x12) << part;
    EXPECT_EQ(f.read(1), 0x34) << part;
  }
  // The EN29F040 gives the continuation code 7Fh with A8 low and its codes with A8 high.
  FlashDriver eon("EN29F040");
  eon.unlock(0x90);
  EXPECT_EQ(eon.read(0x000), 0x7F);
  EXPECT_EQ(eon.read(0x001), 0x7F);
  EXPECT_EQ(eon.read(0x100), 0x1C);
  EXPECT_EQ(eon.read(0x101), 0x04);
  eon.unlock(0xF0);  // the three-cycle reset
  EXPECT_EQ(eon.read(0x100), 0xFF);
}

TEST(SectorFlash, ByteProgramPollsDq7AndTogglesDq6ThenOnlyClearsBits) {
  FlashDriver f("AM29F040");
  // Register writes fast enough to poll inside the 7 us of one byte's program.
  f.rig.sim.setAccessNs(50);
  f.program(0x7FFFF, 0x35);
  const std::uint8_t first = f.read(0x7FFFF);
  const std::uint8_t second = f.read(0x7FFFF);
  EXPECT_EQ(first & kDq7, kDq7) << "the complement of bit 7 of 35h";
  EXPECT_NE(first & kDq6, second & kDq6) << "DQ6 toggles from read to read";
  EXPECT_EQ(first & kDq5, 0);
  f.waitUs(7);
  EXPECT_EQ(f.read(0x7FFFF), 0x35);
  EXPECT_EQ(f.read(0x7FFFF), 0x35) << "DQ6 stops toggling";
  f.program(0x7FFFF, 0x15);  // clears bit 5 only
  f.waitUs(7);
  EXPECT_EQ(f.read(0x7FFFF), 0x15);
}

TEST(SectorFlash, TurningAZeroIntoAOneTimesOutWithDq5UntilTheResetCommand) {
  FlashDriver f("AM29F010");
  f.chip->setCell(0x100, 0x00);
  f.program(0x100, 0x80);
  f.waitUs(100);
  EXPECT_EQ(f.read(0x100) & kDq5, 0) << "before the datasheet's 300 us";
  f.waitUs(250);
  const std::uint8_t status = f.read(0x100);
  EXPECT_EQ(status & kDq5, kDq5);
  EXPECT_EQ(status & kDq7, 0x00) << "still the complement of 80h's bit 7";
  f.unlock(0xA0);  // no command is taken but the reset
  EXPECT_GE(f.events(SimEventKind::WriteIgnoredWhileBusy), 1u);
  f.write(0, 0xF0);
  EXPECT_EQ(f.read(0x100), 0x00) << "the bit stays 0";
  EXPECT_FALSE(f.chip->busy(f.rig.clock.nowNs()));
}

TEST(SectorFlash, ChipEraseAndSectorEraseTakeTheirDatasheetTimes) {
  // The sector erase sequence ends with 30h to an address in each sector to erase.
  FlashDriver s("AM29F040");
  for (std::uint32_t sector = 0; sector < 8; ++sector) s.chip->setCell(sector * 0x10000, 0x00);
  s.unlock(0x80);
  s.write(0x555, 0xAA);
  s.write(0x2AA, 0x55);
  s.write(0x20000, 0x30);
  s.write(0x5ABCD, 0x30);  // within 50 us: a second sector joins
  EXPECT_EQ(s.read(0x20000) & (kDq7 | kDq3), 0) << "DQ3 is 0 while more sectors may join";
  s.waitUs(60);
  EXPECT_EQ(s.read(0x20000) & (kDq7 | kDq3), kDq3) << "erasing: DQ7 0, DQ3 1";
  s.waitUs(1'900'000);
  EXPECT_TRUE(s.chip->busy(s.rig.clock.nowNs())) << "two sectors take 2 s";
  s.waitUs(200'000);
  EXPECT_EQ(s.read(0x20000), 0xFF);
  EXPECT_EQ(s.read(0x50000), 0xFF);
  EXPECT_EQ(s.read(0x10000), 0x00);
  EXPECT_EQ(s.read(0x60000), 0x00);

  FlashDriver c("AM29F040");
  for (std::uint32_t sector = 0; sector < 8; ++sector) c.chip->setCell(sector * 0x10000, 0x00);
  c.eraseChip();
  c.waitUs(7'900'000);
  EXPECT_EQ(c.read(0) & kDq7, 0) << "still erasing before the typical 8 s";
  c.waitUs(200'000);
  for (std::uint32_t sector = 0; sector < 8; ++sector) EXPECT_EQ(c.read(sector * 0x10000), 0xFF);
}

TEST(SectorFlash, CommandsWhileBusyAreIgnoredAndReported) {
  FlashDriver f("A29040");
  f.eraseChip();
  f.program(0x10, 0x00);
  EXPECT_EQ(f.events(SimEventKind::WriteIgnoredWhileBusy), 4u);
  f.waitUs(8'000'000);
  EXPECT_EQ(f.read(0x10), 0xFF);
  EXPECT_EQ(f.events(SimEventKind::CommandNotRecognised), 0u);
}

TEST(SectorFlash, LaterRevisionsDecodeA0ToA10AndEarlierOnesA0ToA14) {
  FlashDriver later("AM29F040");
  later.unlock(0x90, 0x5555, 0x2AAA);  // A11..A14 are not looked at
  EXPECT_EQ(later.read(0), 0x01);
  later.write(0, 0xF0);
  later.unlock(0x90, 0x7D55, 0x12AA);
  EXPECT_EQ(later.read(1), 0xA4);

  FlashDriver old("AM29F040", {.earlierUnlock = true});
  old.chip->setCell(0, 0x12);
  old.unlock(0x90);  // 555h/2AAh: not the earlier parts' unlock addresses
  EXPECT_EQ(old.read(0), 0x12);
  EXPECT_GE(old.events(SimEventKind::CommandNotRecognised), 1u);
  old.unlock(0x90, 0x5555, 0x2AAA);
  EXPECT_EQ(old.read(0), 0x01);
}

TEST(SectorFlash, AProtectedSectorRefusesProgramAndEraseAndShowsInIdentification) {
  FlashDriver f("AM29F040", {.protectedSectors = 1u << 3});
  f.chip->setCell(0x30000, 0x5A);
  f.chip->setCell(0x40000, 0x5A);
  f.unlock(0x90);
  EXPECT_EQ(f.read(0x30002), 0x01);
  EXPECT_EQ(f.read(0x40002), 0x00);
  f.write(0, 0xF0);

  f.program(0x30000, 0x00);
  f.waitUs(10);
  EXPECT_EQ(f.read(0x30000), 0x5A);
  EXPECT_EQ(f.events(SimEventKind::WriteRefusedByProtection), 1u);

  f.eraseChip();
  f.waitUs(8'100'000);
  EXPECT_EQ(f.read(0x30000), 0x5A) << "a chip erase spares the protected sector";
  EXPECT_EQ(f.read(0x40000), 0xFF);
}

TEST(SectorFlash, AnEraseThatFailsEndsWithDq5AfterItsMaximumTime) {
  FlashDriver f("EN29F040", {.eraseFails = true});
  f.chip->setCell(0x100, 0x00);
  f.eraseChip();
  f.waitUs(63'000'000);
  EXPECT_EQ(f.read(0x100) & kDq5, 0);
  f.waitUs(1'100'000);
  EXPECT_EQ(f.read(0x100) & kDq5, kDq5);
  f.write(0, 0xF0);
  EXPECT_EQ(f.read(0x100), 0x00);
}

TEST(SectorFlash, OeStandsTwelveVoltsButNotTwentyOneAndA18NoVoltageAtAll) {
  FlashDriver f("AM29F040");
  f.rig.set(0, 0x80);  // 12.5 V on OE: within the 12.5 V rating
  EXPECT_FALSE(f.chip->destroyed());
  f.rig.set(0, 0x82);  // 21 V
  EXPECT_TRUE(f.chip->destroyed());

  FlashDriver a18("AM29F040");
  a18.rig.set(0, 0x40 | 0x20);  // the supply on socket pin 1: A18
  EXPECT_TRUE(a18.chip->destroyed());
  EXPECT_EQ(a18.events(SimEventKind::VoltageOnWrongPin), 1u);

  FlashDriver nc("AM29F010");
  nc.rig.set(0, 0x40 | 0x20);  // pin 1 of a 1-Mbit part is not connected
  EXPECT_FALSE(nc.chip->destroyed());
}

}  // namespace
}  // namespace burnlab::sim
