// The chip in the simulated socket against the buffer: Compare Device with Buffer lists every
// difference while the buffer stays as it was, Verify stops at the first, and the whole-chip
// scan they share with Read covers the whole code size, past the chip's end where its
// addresses wrap.
#include "ops/device_compare.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "ops/whole_chip_scan.h"
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

// The line Verify logs for its first difference.
std::string mismatchLine(std::uint32_t address, unsigned bufferByte, unsigned chipByte) {
  char line[80];
  std::snprintf(line, sizeof line, "Address: %X ][ Buffer Data: %X ][ Device Data: %X", address,
                bufferByte, chipByte);
  return line;
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

TEST(Verify, AMatchingChipGivesOneMatchLineAndADifferenceAtZeroIsReported) {
  SimulatedApp f(chipIn("27C256"));
  f.app.Read_button_Click();
  f.app.Verify_button_Click();
  EXPECT_TRUE(f.logged("Device Contents MATCHES with Buffer Contents"));
  EXPECT_EQ(f.app.panel.Verify_button.backColor, kButtonFace);

  const auto chipByte = f.chip->cell(0);
  f.app.buffers.CodeBuffer[0] = static_cast<std::uint8_t>(chipByte ^ 0xFF);
  const auto log = f.logOf([&] { f.app.Verify_button_Click(); });
  EXPECT_NE(log.find("Device Memory DOES NOT VERIFY with Buffer Contents"), std::string::npos);
  EXPECT_NE(log.find(mismatchLine(0, chipByte ^ 0xFF, chipByte)), std::string::npos) << log;
  EXPECT_TRUE(f.errorLit());
}

TEST(Verify, TheLowByteLaneComparesEveryOtherBufferByteAndReportsTheBufferByteAtTheAddress) {
  SimulatedApp f(chipIn("27C256"));
  auto& buffer = f.app.buffers.CodeBuffer;
  for (std::uint32_t a = 0; a < 32768; ++a) buffer[2 * a] = f.chip->cell(a);
  buffer[2 * 5] ^= 0x01;  // chip byte 5 is compared with buffer byte 10
  f.app.buffers.CodeLoaded = 1;
  f.app.chooseHiLow_button(2);
  f.app.Verify_button_Click();
  EXPECT_TRUE(f.logged(mismatchLine(5, buffer[5], f.chip->cell(5)))) << f.app.panel.SystemLog.text;
}

TEST(WholeChipScan, ACodeFileLongerThanTheChipIsScannedToItsEnd) {
  // A 32 KiB file on a 2764 (8 KiB): its first 8 KiB are the chip, the rest is other data.
  SimulatedApp f(chipIn("2764"));
  std::vector<std::uint8_t> bytes(32768);
  for (std::uint32_t a = 0; a < bytes.size(); ++a) {
    bytes[a] =
        static_cast<std::uint8_t>(a < 8192 ? f.chip->cell(a) : f.chip->cell(a % 8192) ^ 0x5A);
  }
  f.openImage(bytes);

  // Verify compares all 32 KiB: the chip's addresses wrap at 2000h, where the file differs.
  const auto log = f.logOf([&] { f.app.Verify_button_Click(); });
  EXPECT_TRUE(f.errorLit());
  EXPECT_NE(log.find(mismatchLine(0x2000, f.chip->cell(0) ^ 0x5A, f.chip->cell(0))),
            std::string::npos)
      << log;
  f.app.lamps.Error_label_Click();

  // Read fills all 32 KiB it reports, the chip four times over.
  EXPECT_NE(f.logOf([&] { f.app.Read_button_Click(); }).find("32768 bytes Read from Device"),
            std::string::npos);
  const auto& buffer = f.app.buffers.CodeBuffer;
  for (std::uint32_t a = 0; a < 32768; a += 1021) {
    ASSERT_EQ(buffer[a], f.chip->cell(a % 8192)) << a;
  }
}

TEST(WholeChipScan, StopsAtTheEndOfTheBufferOrImageItFillsOrComparesWith) {
  EXPECT_EQ(scanPageCount(32768, 2'100'001), 128);
  EXPECT_EQ(scanPageCount(100, 2'100'001), 1);  // whole pages
  EXPECT_EQ(scanPageCount(2'100'001, 2'100'001), 8203);
  EXPECT_EQ(scanPageCount(2'000'000, 1'048'577), 4096);
  EXPECT_EQ(scanPageCount(0, 1'048'577), 0);
}

}  // namespace
}  // namespace burnlab::testing
