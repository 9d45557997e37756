// Reading, displaying, blank-checking and verifying real chips in the simulated socket, as an
// operator sees it: buffer contents, log lines, lamps and buttons.
#include <gtest/gtest.h>

#include <fstream>
#include <numeric>
#include <random>

#include "devices/device_catalogue.h"
#include "ops/whole_chip_scan.h"
#include "sim/chip_catalogue.h"
#include "support/app_fixture.h"

namespace burnlab::testing {
namespace {

// A chip of the device list's row `row`, filled with a pattern that differs at every address
// line, in the socket of a started App with that device selected.
struct ChipBench : AppFixture {
  explicit ChipBench(int row, bool fill = true) {
    const auto* device = DeviceCatalogue::row(row);
    std::string error;
    chip = sim::ChipCatalogue::make(device->name, {}, error);
    EXPECT_NE(chip, nullptr) << error;
    if (fill) {
      std::mt19937 random(static_cast<unsigned>(row));
      for (std::uint32_t a = 0; a < chip->size(); ++a) {
        chip->setCell(a, static_cast<std::uint8_t>(random()));
      }
    }
    board.insert(chip);
    app.Form_Load();
    app.setDeviceListIndex(row);
    app.valueChosen("Slider1", 20);
  }
  std::string logSince(std::size_t from) const { return app.panel.SystemLog.text.substr(from); }
  bool errorLit() const { return app.panel.Error_label.foreColor == kWhite; }

  std::shared_ptr<sim::MemoryChip> chip;
};

class EveryParallelDevice : public ::testing::TestWithParam<int> {};

TEST_P(EveryParallelDevice, ReadsBackItsChipByteForByte) {
  ChipBench f(GetParam());
  f.app.Read_button_Click();
  const auto& cells = f.chip->cells();
  ASSERT_EQ(f.app.buffers.CodeSize, static_cast<std::int32_t>(cells.size()));
  EXPECT_TRUE(std::equal(cells.begin(), cells.end(), f.app.buffers.CodeBuffer.begin()))
      << "first difference at "
      << std::mismatch(cells.begin(), cells.end(), f.app.buffers.CodeBuffer.begin()).first -
             cells.begin();
  EXPECT_EQ(f.app.buffers.CodeLoaded, 1);
  EXPECT_TRUE(f.app.panel.Program_button.enabled);
  EXPECT_FALSE(f.errorLit());
}

std::vector<int> parallelRows() {
  std::vector<int> rows;
  const auto& all = DeviceCatalogue::rows();
  for (int row = 0; row < static_cast<int>(all.size()); ++row) {
    if (all[row].supported && all[row].family != 'S') rows.push_back(row);
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryParallelDevice, ::testing::ValuesIn(parallelRows()),
                         [](const auto& info) {
                           std::string name(DeviceCatalogue::row(info.param)->name);
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                               '_');
                           return name;
                         });

TEST(DeviceRead, A27C080FillsAMegabyteInWholeBanks) {
  ChipBench f(19);
  f.port.clear();
  f.app.Read_button_Click();
  EXPECT_EQ(f.app.panel.VScroll1.max, 4095);
  // The bank register is written once per 64 KiB: 16 times, besides the writes of Reset,
  // SETADR, REG4OFF and CEOEON before the loop and of Reset after it.
  std::size_t reg3Writes = 0;
  for (std::size_t i = 0; i + 3 < f.port.lines.size(); ++i) {
    if (f.port.lines[i + 1] == "out 037A 0F" && f.port.lines[i + 2] == "out 037A 0E") ++reg3Writes;
  }
  EXPECT_EQ(reg3Writes, 16u + 5u);
  EXPECT_NE(f.app.panel.SystemLog.text.find("1048576 bytes Read from Device"), std::string::npos);
}

TEST(DeviceRead, A24C16IsReadOverTheTwoWireBus) {
  ChipBench f(35);
  f.app.Read_button_Click();
  const auto& cells = f.chip->cells();
  EXPECT_TRUE(std::equal(cells.begin(), cells.end(), f.app.buffers.CodeBuffer.begin()));
  EXPECT_FALSE(f.errorLit());
  EXPECT_NE(f.app.panel.SystemLog.text.find("2048 bytes Read from Device"), std::string::npos);
}

TEST(DeviceRead, AnEmptySocketOnA24C08GivesTheNoAcknowledgeReport) {
  ChipBench f(34);
  f.board.insert(nullptr);
  const auto logged = f.app.panel.SystemLog.text.size();
  f.app.Read_button_Click();
  EXPECT_TRUE(f.errorLit());
  EXPECT_EQ(f.logSince(logged),
            "\r\n12:34:56>  **************************************************"
            "\r\n12:34:56>  Device 24CXX DOES NOT RESPOND - ACK Error"
            "\r\n12:34:56>  Check Chip Installation Position on Socket"
            "\r\n12:34:56>  Click on [ERROR] Alert to Reset the Situation");
  EXPECT_EQ(f.platform.sounds.back().filename(), "error.wav");
}

TEST(BlankCheck, StopsAtTheFirstByteThatIsNotErasedAndReportsItsAddress) {
  ChipBench f(13, false);  // Eprom 27C010, erased
  f.chip->setCell(0x1234F, 0x0F);
  f.chip->setCell(0x1F000, 0x00);
  const auto logged = f.app.panel.SystemLog.text.size();
  f.app.Blank_button_Click();
  EXPECT_EQ(f.logSince(logged),
            "\r\n12:34:56>  Checking Device for BLANK (Erased)... Wait"
            "\r\n12:34:56>  Device IS NOT BLANK (ERASED)"
            "\r\n12:34:56>  Address: 1234F ][ Device Data: F"
            "\r\n12:34:56>  Click on [ERROR] alert to Reset the Situation");
  EXPECT_TRUE(f.errorLit());
  EXPECT_FALSE(f.app.panel.Read_button.enabled);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0x123 + 1);  // stopped within page 123h
}

TEST(BlankCheck, AFirstByteOfZeroOnA2764IsReportedAtAddressZeroAtOnce) {
  ChipBench f(5, false);
  f.chip->setCell(0, 0x00);
  f.app.Blank_button_Click();
  EXPECT_NE(f.app.panel.SystemLog.text.find("Address: 0 ][ Device Data: 0\r\n"), std::string::npos);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 1);
  EXPECT_EQ(f.app.board.Reg2, 0);  // the board still addresses the failing byte
  EXPECT_EQ(f.board.registers()[2], 0);
}

TEST(BlankCheck, AnErasedChipIsReportedBlank) {
  ChipBench f(11, false);  // Eprom 27C512
  f.app.Blank_button_Click();
  EXPECT_NE(f.app.panel.SystemLog.text.find("Device IS BLANK (ERASED)"), std::string::npos);
  EXPECT_FALSE(f.errorLit());
  EXPECT_EQ(f.platform.sounds.back().filename(), "ok.wav");
}

TEST(Verify, AMatchingChipGivesOneMatchLineAndADifferenceAtZeroIsReported) {
  ChipBench f(10);  // Eprom 27C256
  f.app.Read_button_Click();
  f.app.Verify_button_Click();
  EXPECT_NE(f.app.panel.SystemLog.text.find("Device Contents MATCHES with Buffer Contents"),
            std::string::npos);
  EXPECT_EQ(f.app.panel.Verify_button.backColor, kButtonFace);

  const auto chipByte = f.chip->cell(0);
  f.app.buffers.CodeBuffer[0] = static_cast<std::uint8_t>(chipByte ^ 0xFF);
  const auto logged = f.app.panel.SystemLog.text.size();
  f.app.Verify_button_Click();
  EXPECT_NE(f.logSince(logged).find("Device Memory DOES NOT VERIFY with Buffer Contents"),
            std::string::npos);
  char expected[80];
  std::snprintf(expected, sizeof expected, "Address: 0 ][ Buffer Data: %X ][ Device Data: %X",
                chipByte ^ 0xFF, chipByte);
  EXPECT_NE(f.logSince(logged).find(expected), std::string::npos) << f.logSince(logged);
  EXPECT_TRUE(f.errorLit());
}

TEST(WholeChipScan, ACodeFileLongerThanTheChipIsScannedToItsEnd) {
  // A 32 KiB file on a 2764 (8 KiB): its first 8 KiB are the chip, the rest is other data.
  ChipBench f(5);  // Eprom 2764
  std::string bytes(32768, '\0');
  for (std::uint32_t a = 0; a < bytes.size(); ++a) {
    bytes[a] = static_cast<char>(a < 8192 ? f.chip->cell(a) : f.chip->cell(a % 8192) ^ 0x5A);
  }
  const auto file = f.configFolder.path() / "long.bin";
  std::ofstream(file, std::ios::binary) << bytes;
  ASSERT_TRUE(f.app.bufferCommands.openCodeFile(file));

  // Verify compares all 32 KiB: the chip's addresses wrap at 2000h, where the file differs.
  auto logged = f.app.panel.SystemLog.text.size();
  f.app.Verify_button_Click();
  EXPECT_TRUE(f.errorLit());
  char expected[80];
  std::snprintf(expected, sizeof expected, "Address: 2000 ][ Buffer Data: %X ][ Device Data: %X",
                f.chip->cell(0) ^ 0x5A, f.chip->cell(0));
  EXPECT_NE(f.logSince(logged).find(expected), std::string::npos) << f.logSince(logged);
  f.app.lamps.Error_label_Click();

  // Read fills all 32 KiB it reports, the chip four times over.
  logged = f.app.panel.SystemLog.text.size();
  f.app.Read_button_Click();
  EXPECT_NE(f.logSince(logged).find("32768 bytes Read from Device"), std::string::npos);
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

TEST(Verify, TheLowByteLaneComparesEveryOtherBufferByteAndReportsTheBufferByteAtTheAddress) {
  ChipBench f(10);
  auto& buffer = f.app.buffers.CodeBuffer;
  for (std::uint32_t a = 0; a < 32768; ++a) buffer[2 * a] = f.chip->cell(a);
  buffer[2 * 5] ^= 0x01;  // chip byte 5 is compared with buffer byte 10
  f.app.buffers.CodeLoaded = 1;
  f.app.chooseHiLow_button(2);
  f.app.Verify_button_Click();
  char expected[80];
  std::snprintf(expected, sizeof expected, "Address: 5 ][ Buffer Data: %X ][ Device Data: %X",
                buffer[5], f.chip->cell(5));
  EXPECT_NE(f.app.panel.SystemLog.text.find(expected), std::string::npos)
      << f.app.panel.SystemLog.text;
}

TEST(Verify, ASerialEepromThatDoesNotAnswerIsNotReportedAsMatching) {
  ChipBench f(36);
  f.board.insert(nullptr);
  f.app.Verify_button_Click();
  EXPECT_TRUE(f.errorLit());
  EXPECT_NE(f.app.panel.SystemLog.text.find("DOES NOT RESPOND - ACK Error"), std::string::npos);
  EXPECT_EQ(f.app.panel.SystemLog.text.find("MATCHES"), std::string::npos);
}

TEST(Display, ShowsTheLivePageAndScrollingReadsTheChip) {
  ChipBench f(5, false);  // Eprom 2764
  f.chip->setCell(0x000, 0x20);
  f.chip->setCell(0x001, 0x7E);
  f.chip->setCell(0x101, 'A');
  f.app.Display_button_Click();
  const auto& page = f.app.panel.BufferDisplay.text;
  EXPECT_EQ(page.substr(0, 8), "\r\n000000");
  EXPECT_NE(page.find("| 207EFFFF "), std::string::npos) << page;
  EXPECT_NE(page.find("|  ..............", 0), std::string::npos) << page;
  EXPECT_EQ(f.app.panel.Frame3.caption, "Device Memory Hex/Ascii Display");
  f.app.valueChosen("VScroll1", 1);
  EXPECT_NE(f.app.panel.BufferDisplay.text.find("\r\n000100| FF41FFFF"), std::string::npos)
      << f.app.panel.BufferDisplay.text;
}

TEST(Display, OnASerialEepromAtPageZeroOnlyLogs) {
  ChipBench f(34);
  f.port.clear();
  f.app.Display_button_Click();
  EXPECT_TRUE(f.port.lines.empty());
  EXPECT_NE(f.app.panel.SystemLog.text.find("Fetching Device Binary Contents to Screen"),
            std::string::npos);
}

}  // namespace
}  // namespace burnlab::testing
