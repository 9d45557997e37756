// Writing the 24C08, 24C16 and 24C32 page by page over the two-wire bus, on simulated chips.
#include "ops/serial_eeprom_write.h"

#include <gtest/gtest.h>

#include "support/simulated_app.h"
#include "two_wire_trace.h"

namespace burnlab::testing {
namespace {

// A started App with a serial EEPROM from `socket` ("24C16,wp") in the socket and chosen, and a
// code file of random bytes as long as the chip open.
struct SerialSocket : SimulatedApp {
  explicit SerialSocket(std::string socket)
      : SimulatedApp({.socket = std::move(socket), .slider = {}, .randomBytes = 64 * 1024}) {
    platform.sleepTrace = &port.lines;
  }
  void write() {
    SerialEepromWrite writer(app.operations, app.twoWire);
    if (app.device.Routines.program == ProgramRoutine::TwoWireWordAddressPages) {
      writer.Write24C32(run);
    } else {
      writer.Write24CXX(run);
    }
  }
  // The bus events of what runs in `action`.
  template <typename Action>
  std::vector<std::string> busEvents(Action action) {
    port.clear();
    const auto reg3 = static_cast<unsigned>(app.board.Reg3);
    const auto reg4 = static_cast<unsigned>(app.board.Reg4);
    action();
    return twoWireEvents(port.lines, reg3, reg4);
  }
  bool chipHoldsBuffer(std::int32_t count) const {
    const auto& cells = chip->cells();
    return std::equal(cells.begin(), cells.begin() + count, app.buffers.CodeBuffer.begin());
  }

  ProgrammingRun run{app.operations};
};

// The bus events of the page writes alone: the read-back after them, from its dummy write that
// sets the address to 0 on, is cut off.
std::vector<std::string> pageWrites(std::vector<std::string> events) {
  const std::vector<std::string> readStart{"S", "A1"};  // the repeated start that turns to reading
  const auto read = std::search(events.begin(), events.end(), readStart.begin(), readStart.end());
  if (read == events.end()) return events;
  const auto dummyWrite = std::find(std::make_reverse_iterator(read), events.rend(), "S");
  events.erase(dummyWrite.base() - 1, events.end());
  return events;
}

// The device bytes of the page writes, in order, each once (the polls repeat them).
std::vector<std::string> deviceBytesWritten(const std::vector<std::string>& events) {
  std::vector<std::string> bytes;
  for (std::size_t i = 0; i + 1 < events.size(); ++i) {
    if (events[i] != "S") continue;
    if (bytes.empty() || bytes.back() != events[i + 1]) bytes.push_back(events[i + 1]);
  }
  return bytes;
}

TEST(SerialPageCount, CountsALastPartialPageWhole) {
  EXPECT_EQ(serialPageCount(1024, 16), 64);
  EXPECT_EQ(serialPageCount(1000, 16), 63);
  EXPECT_EQ(serialPageCount(1010, 16), 64);
  EXPECT_EQ(serialPageCount(8, 16), 1);
  EXPECT_EQ(serialPageCount(0, 16), 0);
}

struct SerialCase {
  const char* part;
  std::int32_t pages;
  std::vector<std::string> blocks;  // the device bytes, block by block
};

class EverySerialEeprom : public ::testing::TestWithParam<SerialCase> {};

TEST_P(EverySerialEeprom, StoresTheWholeBufferAndAddressesEveryBlock) {
  SerialSocket f(GetParam().part);
  const auto events = pageWrites(f.busEvents([&] { f.write(); }));
  EXPECT_TRUE(f.chipHoldsBuffer(f.app.device.DeviceSize));
  EXPECT_EQ(f.app.twoWire.AckError, 0);
  EXPECT_EQ(deviceBytesWritten(events), GetParam().blocks);
  EXPECT_EQ(f.app.panel.ProgressBar1.max, GetParam().pages);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, GetParam().pages);
  EXPECT_EQ(std::count(events.begin(), events.end(), "P"), GetParam().pages);
  // The bus is left with SCL low and SDA driven low.
  EXPECT_EQ(f.app.board.Reg3 & 0xC0, 0x00);
  EXPECT_EQ(f.app.board.Reg4, 0x00);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, EverySerialEeprom,
    ::testing::Values(SerialCase{"24C08", 64, {"A0", "A2", "A4", "A6"}},
                      SerialCase{"24C16", 128, {"A0", "A2", "A4", "A6", "A8", "AA", "AC", "AE"}},
                      SerialCase{"24C32", 128, {"A0"}}),
    [](const auto& info) { return std::string("chip") + info.param.part; });

TEST(SerialWrite, APageGoesOutAsOneWriteThenTheChipIsPolledUntilItAcknowledges) {
  SerialSocket f("24C16");
  f.app.buffers.CodeSize = 16;
  for (int i = 0; i < 16; ++i) f.app.buffers.CodeBuffer[static_cast<std::size_t>(i)] = 0x10 + i;
  const auto events = f.busEvents([&] { f.write(); });
  // The page write, then a poll every 3 ms (1 ms before the sample, 2 ms after a refusal)
  // while the 5 ms write cycle runs; the acknowledged poll ends with the ninth clock, no stop.
  // Then the page is read back from address 0, its last byte unacknowledged, and a stop.
  const std::string written =
      "sleep 50 S A0 a 00 a "
      "10 a 11 a 12 a 13 a 14 a 15 a 16 a 17 a 18 a 19 a 1A a 1B a 1C a 1D a 1E a 1F a P "
      "S A0 sleep 1 n sleep 2 S A0 sleep 1 n sleep 2 S A0 sleep 1 a ";
  const auto all = joined(events);
  EXPECT_EQ(all.substr(0, written.size()), written);
  EXPECT_EQ(all.substr(written.size(), 25), "sleep 50 S A0 a 00 a S A1");
  EXPECT_EQ(all.substr(all.size() - 3), "n P");
  EXPECT_EQ(f.run.ProgramFailed, 0);
  EXPECT_EQ(f.app.twoWire.AckError, 0);
}

TEST(SerialWrite, The24C32TakesTwoAddressBytesAndThirtyTwoBytesAPage) {
  SerialSocket f("24C32");
  const auto events = pageWrites(f.busEvents([&] { f.write(); }));
  std::vector<std::string> addresses;
  for (std::size_t i = 0; i + 6 < events.size(); ++i) {
    // A page write is "S A0 a HI a LO a": a poll never gets past its device byte.
    if (events[i] == "S" && events[i + 2] == "a" && events[i + 4] == "a") {
      addresses.push_back(events[i + 3] + events[i + 5]);
    }
  }
  ASSERT_EQ(addresses.size(), 128u);
  EXPECT_EQ(addresses[0], "0000");
  EXPECT_EQ(addresses[1], "0020");
  EXPECT_EQ(addresses[8], "0100");
  EXPECT_EQ(addresses[127], "0FE0");
}

TEST(SerialWrite, AThousandBytesFillTheLastPageWithFFAndLeaveTheNextPagesAsTheyWere) {
  SerialSocket f("24C08");
  f.chip->setCell(1000, 0x12);  // in the last page: overwritten with the erased value
  f.chip->setCell(1008, 0x34);  // past it: not written
  f.app.buffers.CodeSize = 1000;
  f.write();
  EXPECT_EQ(f.app.panel.ProgressBar1.max, 63);
  EXPECT_TRUE(f.chipHoldsBuffer(1000));
  for (std::uint32_t a = 1000; a < 1008; ++a) EXPECT_EQ(f.chip->cell(a), 0xFF) << a;
  EXPECT_EQ(f.chip->cell(1008), 0x34);
  EXPECT_EQ(f.run.ProgramFailed, 0);
}

TEST(SerialWrite, AnImageLargerThanTheChipIsWrittenOnlyAsFarAsTheChipReaches) {
  // 8 KiB into a 24C32 would otherwise wrap round and overwrite the first half with the second.
  SerialSocket f("24C32");
  f.app.buffers.CodeSize = 8192;
  for (std::size_t a = 4096; a < 8192; ++a) f.app.buffers.CodeBuffer[a] = 0x00;
  f.write();
  EXPECT_EQ(f.app.panel.ProgressBar1.max, 128);
  EXPECT_TRUE(f.chipHoldsBuffer(4096));
  EXPECT_EQ(f.app.twoWire.AckError, 0);
}

TEST(SerialWrite, AMissingChipStopsTheWriteAtItsFirstDeviceByte) {
  SerialSocket f("24C16");
  f.board.insert(nullptr);
  const auto events = f.busEvents([&] { f.write(); });
  EXPECT_EQ(f.app.twoWire.AckError, 200);
  // The device byte, then 200 samples without an acknowledge, 1 ms apart; nothing follows.
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(joined({events.begin(), events.begin() + 3}), "sleep 50 S A0");
  EXPECT_EQ(std::count(events.begin(), events.end(), "n"), 200);
  EXPECT_EQ(std::count(events.begin(), events.end(), "S"), 1);
  EXPECT_EQ(joined({events.end() - 2, events.end()}), "n sleep 1");
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
}

TEST(SerialWrite, ASlowChipIsWaitedForAndStoresEveryPage) {
  SerialSocket f("24C16,slow");
  f.write();
  EXPECT_TRUE(f.chipHoldsBuffer(2048));
  EXPECT_EQ(f.app.twoWire.AckError, 0);
}

}  // namespace
}  // namespace burnlab::testing
