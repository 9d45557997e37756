// The 24Cxx EEPROMs as two-wire slaves: SCL on the CE line, SDA on data line D7.
#include "sim/two_wire_eeprom.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "socket_rig.h"

namespace burnlab::sim {
namespace {

// A bus master bit-banged by hand: SCL is register 3 bit 7, SDA is register 4 bit 7 with the
// REG4 line asserted (open drain: 1 lets the line float).
struct TwoWireMaster {
  explicit TwoWireMaster(TwoWireType type, const ChipOptions& options = {})
      : chip(std::make_shared<TwoWireEeprom>(type, options)) {
    rig.sim.insert(chip);
    rig.set(4, 0x80);
    rig.set(3, 0x80);  // SCL high, REG4 drives SDA (released)
  }

  void scl(bool high) { rig.setBit(3, 7, high); }
  void sda(bool high) { rig.set(4, high ? 0x80 : 0x00); }
  bool sdaLine() { return (rig.readBus() & 0x80) != 0; }

  void start() {
    sda(true);
    scl(true);
    sda(false);
    scl(false);
  }
  void stop() {
    sda(false);
    scl(true);
    sda(true);
  }
  // Clocks a byte out and returns whether the slave acknowledged it.
  bool send(std::uint8_t byte) {
    for (int bit = 7; bit >= 0; --bit) {
      sda((byte >> bit) & 1);
      scl(true);
      scl(false);
    }
    sda(true);
    scl(true);
    const bool ack = !sdaLine();
    scl(false);
    return ack;
  }
  std::uint8_t receive(bool acknowledge) {
    sda(true);
    std::uint8_t byte = 0;
    for (int bit = 0; bit < 8; ++bit) {
      scl(true);
      byte = static_cast<std::uint8_t>(byte << 1 | (sdaLine() ? 1 : 0));
      scl(false);
    }
    sda(!acknowledge);
    scl(true);
    scl(false);
    sda(true);
    return byte;
  }
  // A start, then `bytes` clocked out: how many of them the slave acknowledged.
  int begin(std::initializer_list<std::uint8_t> bytes) {
    start();
    int acknowledged = 0;
    for (const auto byte : bytes) acknowledged += send(byte) ? 1 : 0;
    return acknowledged;
  }
  // The same ended with a stop: a write of the bytes after the address.
  int write(std::initializer_list<std::uint8_t> bytes) {
    const int acknowledged = begin(bytes);
    stop();
    return acknowledged;
  }
  // A start and the device byte alone, as a poll for the end of a write cycle sends them.
  bool answers(std::uint8_t device) { return begin({device}) == 1; }
  std::vector<std::uint8_t> readFrom(std::uint8_t device, std::vector<std::uint8_t> address,
                                     int count) {
    start();
    EXPECT_TRUE(send(device));
    for (auto byte : address) EXPECT_TRUE(send(byte));
    start();
    EXPECT_TRUE(send(device | 1));
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(receive(i + 1 < count));
    stop();
    return bytes;
  }
  void waitMs(int ms) { rig.advanceUs(static_cast<std::uint64_t>(ms) * 1000); }

  SocketRig rig;
  std::shared_ptr<TwoWireEeprom> chip;
};

TEST(TwoWireEeprom, AcknowledgesOnlyItsDeviceByteAndBlockBits) {
  TwoWireMaster m24c08(TwoWireEeprom::type24C08());
  EXPECT_TRUE(m24c08.answers(0xA6)) << "block 3";
  EXPECT_FALSE(m24c08.answers(0xA8)) << "the A2 pin is tied low";
  EXPECT_FALSE(m24c08.answers(0xB0));
  EXPECT_FALSE(m24c08.send(0xA0)) << "ignored until the next start";
  m24c08.stop();

  TwoWireMaster m24c16(TwoWireEeprom::type24C16());
  EXPECT_TRUE(m24c16.answers(0xAE));
  TwoWireMaster m24c32(TwoWireEeprom::type24C32());
  EXPECT_FALSE(m24c32.answers(0xA2));
  EXPECT_TRUE(m24c32.answers(0xA0));
}

TEST(TwoWireEeprom, RandomReadTakesTheBlockFromTheDeviceByte) {
  TwoWireMaster m(TwoWireEeprom::type24C16());
  for (std::uint32_t a = 0; a < 2048; ++a) m.chip->setCell(a, static_cast<std::uint8_t>(a * 7));
  const auto bytes = m.readFrom(0xA0 | (5 << 1), {0x10}, 3);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{static_cast<std::uint8_t>(0x510 * 7),
                                              static_cast<std::uint8_t>(0x511 * 7),
                                              static_cast<std::uint8_t>(0x512 * 7)}));
  EXPECT_EQ(m.chip->addressCounter(), 0x513u);
}

TEST(TwoWireEeprom, SequentialReadWrapsFromTheLastAddressToZero) {
  TwoWireMaster m(TwoWireEeprom::type24C32());
  m.chip->setCell(0xFFE, 0x01);
  m.chip->setCell(0xFFF, 0x02);
  m.chip->setCell(0x000, 0x03);
  EXPECT_EQ(m.readFrom(0xA0, {0x0F, 0xFE}, 3), (std::vector<std::uint8_t>{0x01, 0x02, 0x03}));
  // A current-address read goes on from the counter.
  m.chip->setCell(0x001, 0x44);
  m.start();
  EXPECT_TRUE(m.send(0xA1));
  EXPECT_EQ(m.receive(false), 0x44);
  m.stop();
}

TEST(TwoWireEeprom, APageWriteWrapsInsideThePageAndTheChipIsBusyAfterTheStop) {
  TwoWireMaster m(TwoWireEeprom::type24C08());
  ASSERT_EQ(m.begin({0xA2, 0x1E, 0x11, 0x22, 0x33, 0x44}), 6);  // block 1, address 1Eh
  EXPECT_EQ(m.chip->cell(0x11E), 0xFF) << "nothing is written before the stop";
  m.stop();
  EXPECT_EQ(m.chip->cell(0x11E), 0x11);
  EXPECT_EQ(m.chip->cell(0x11F), 0x22);
  EXPECT_EQ(m.chip->cell(0x110), 0x33);
  EXPECT_EQ(m.chip->cell(0x111), 0x44);
  EXPECT_EQ(m.chip->cell(0x120), 0xFF);

  m.waitMs(4);
  EXPECT_FALSE(m.answers(0xA0)) << "no acknowledge during the write cycle";
  m.stop();
  m.waitMs(1);
  EXPECT_TRUE(m.answers(0xA0));
  m.stop();
}

TEST(TwoWireEeprom, AStartBeforeTheStopAbortsTheWriteAndAnAddressAloneWritesNothing) {
  TwoWireMaster m(TwoWireEeprom::type24C32(), {.slowWriteCycle = true});
  m.begin({0xA0, 0x00, 0x20, 0x99});
  m.start();  // before the stop
  m.stop();
  EXPECT_EQ(m.chip->cell(0x20), 0xFF);
  m.write({0xA0, 0x00, 0x20});
  EXPECT_FALSE(m.chip->busy(m.rig.clock.nowNs()));

  m.write({0xA0, 0x00, 0x3F, 0x01, 0x02});
  EXPECT_EQ(m.chip->cell(0x3F), 0x01);
  EXPECT_EQ(m.chip->cell(0x20), 0x02) << "32-byte pages";
  m.waitMs(9);
  EXPECT_TRUE(m.chip->busy(m.rig.clock.nowNs())) << "a slow part takes 10 ms";
}

TEST(TwoWireEeprom, WithWpHighWritesAreAcknowledgedButNothingIsStored) {
  TwoWireMaster m(TwoWireEeprom::type24C16(), {.writeProtect = true});
  EXPECT_EQ(m.write({0xA0, 0x20, 0x5A}), 3) << "the data byte is acknowledged too";
  EXPECT_FALSE(m.chip->busy(m.rig.clock.nowNs())) << "no write cycle starts";
  EXPECT_EQ(m.chip->cell(0x20), 0xFF);
  EXPECT_EQ(m.rig.sim.events().count(SimEventKind::WriteRefusedByProtection), 1u);
}

TEST(TwoWireEeprom, AChipThatNeverAcknowledgesAnswersNothing) {
  TwoWireMaster m(TwoWireEeprom::type24C08(), {.neverAcknowledges = true});
  EXPECT_EQ(m.write({0xA0, 0x00}), 0);
}

}  // namespace
}  // namespace burnlab::sim
