// Compare Device with Buffer: every difference between the chip in the simulated socket and
// the buffer, written to the log, while the buffer stays as it was.
#include "ops/device_compare.h"

#include <gtest/gtest.h>

#include "support/log_lines.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// The lines a compare of the device with the buffer logs, without their time stamps.
std::vector<std::string> compareLines(SimulatedApp& f) {
  return logLinesOf(f.logOf([&] { f.app.compare.compareDeviceWithBuffer(); }));
}

// The buffer holding exactly what the chip holds.
void copyChipToBuffer(SimulatedApp& f) {
  const auto& cells = f.chip->cells();
  std::copy(cells.begin(), cells.end(), f.app.buffers.CodeBuffer.begin());
  f.app.buffers.CodeLoaded = 1;
}

TEST(CompareDevice, AChipEqualToTheBufferHasNoDifferences) {
  SimulatedApp f(chipIn("27C256"));
  copyChipToBuffer(f);
  EXPECT_EQ(compareLines(f), (std::vector<std::string>{"Compare Device with Buffer Started... Wait",
                                                       "No differences in 32768 bytes compared"}));
  EXPECT_EQ(f.platform.sounds.back().filename(), "ok.wav");
  EXPECT_EQ(f.app.panel.DataFlow_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
}

TEST(CompareDevice, ListsTheFirstHundredDifferencesCountsThemAllAndKeepsTheBuffer) {
  SimulatedApp f(chipIn("27C256"));
  copyChipToBuffer(f);
  auto& buffer = f.app.buffers.CodeBuffer;
  // One difference at address 0, then 149 more, the last at the chip's last address.
  for (std::uint32_t a = 0; a < 149; ++a) buffer[a * 200] ^= 0x01;
  buffer[0x7FFF] ^= 0x80;
  const auto before = buffer;
  const auto lines = compareLines(f);
  ASSERT_EQ(lines.size(), 1u + 100u + 2u);
  char first[64];
  std::snprintf(first, sizeof first, "Address 000000: File %02X, Device %02X", buffer[0],
                f.chip->cell(0));
  EXPECT_EQ(lines[1], first);
  EXPECT_EQ(lines[100].substr(0, 15), "Address 004D58:");  // 99 x 200
  EXPECT_EQ(lines[101], "... 50 more not listed");
  EXPECT_EQ(lines[102], "150 differences in 32768 bytes compared");
  EXPECT_EQ(buffer, before);
  EXPECT_EQ(f.platform.sounds.back().filename(), "error.wav");
  EXPECT_FALSE(f.errorLit()) << "a list of differences is no failed command";

  // The CLI asks for all of them.
  const auto all = f.app.compare.compare(1000);
  ASSERT_TRUE(all);
  EXPECT_EQ(all->differences.count, 150u);
  EXPECT_EQ(all->differences.listed.back().address, 0x7FFFu);
}

TEST(CompareDevice, OnlyTheChosenByteLaneIsCompared) {
  SimulatedApp f(chipIn("27C256"));
  auto& buffer = f.app.buffers.CodeBuffer;
  // The high lane programs the odd buffer bytes into the first half of the chip.
  for (std::uint32_t a = 0; a < 16384; ++a) buffer[2 * a + 1] = f.chip->cell(a);
  buffer[2 * 7 + 1] ^= 0x10;  // chip byte 7 against buffer byte 15
  f.app.chooseHiLow_button(1);
  const auto result = f.app.compare.compare(10);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->compared, 16384);
  ASSERT_EQ(result->differences.count, 1u);
  EXPECT_EQ(result->differences.listed[0].address, 7u);
  EXPECT_EQ(result->differences.listed[0].imageByte, buffer[15]);
}

TEST(CompareDevice, ABufferLongerThanTheDeviceIsComparedWhereTheChipsAddressesWrap) {
  SimulatedApp f(chipIn("27C256"));
  copyChipToBuffer(f);
  auto& buffer = f.app.buffers.CodeBuffer;
  std::copy(buffer.begin(), buffer.begin() + 7232, buffer.begin() + 32768);
  f.app.buffers.CodeSize = 40000;
  EXPECT_EQ(compareLines(f).at(1), "No differences in 40000 bytes compared");

  buffer[32768 + 5] ^= 0xFF;
  const auto result = f.app.compare.compare(10);
  ASSERT_TRUE(result);
  ASSERT_EQ(result->differences.count, 1u);
  EXPECT_EQ(result->differences.listed[0].address, 32768u + 5u);
  EXPECT_EQ(result->differences.listed[0].chipByte, f.chip->cell(5));
}

TEST(CompareDevice, ASerialEepromIsReadOverTheBusOrReportedWhenItDoesNotAnswer) {
  SimulatedApp f(chipIn("24C16"));
  copyChipToBuffer(f);
  f.app.buffers.CodeBuffer[2047] ^= 0xFF;
  f.app.buffers.CodeBuffer[3] ^= 0xFF;
  const auto result = f.app.compare.compare(10);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->compared, 2048);
  ASSERT_EQ(result->differences.count, 2u);
  EXPECT_EQ(result->differences.listed[0].address, 3u);
  EXPECT_EQ(result->differences.listed[1].address, 2047u);
  EXPECT_EQ(result->differences.listed[1].chipByte, f.chip->cell(2047));

  f.board.insert(nullptr);
  EXPECT_FALSE(f.app.compare.compare(10));
  EXPECT_TRUE(f.errorLit());
  EXPECT_TRUE(f.logged("Device 24CXX DOES NOT RESPOND - ACK Error"));
}

}  // namespace
}  // namespace burnlab::testing
