// Reading and displaying real chips in the simulated socket, as an operator sees it: buffer
// contents, log lines, lamps and buttons.
#include <gtest/gtest.h>

#include <algorithm>

#include "buffers/image_checksums.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

class EveryParallelDevice : public ::testing::TestWithParam<std::string> {};

TEST_P(EveryParallelDevice, ReadsBackItsChipByteForByte) {
  SimulatedApp f(chipIn(GetParam()));
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

std::vector<std::string> parallelParts() {
  std::vector<std::string> parts;
  for (const auto& row : DeviceCatalogue::rows()) {
    if (row.supported && row.family != DeviceFamilyKind::Serial) parts.emplace_back(row.partName());
  }
  return parts;
}

// Named by their parts, which are letters and digits only.
INSTANTIATE_TEST_SUITE_P(Catalogue, EveryParallelDevice, ::testing::ValuesIn(parallelParts()),
                         [](const auto& info) { return info.param; });

TEST(DeviceRead, A27C080FillsAMegabyteInWholeBanks) {
  SimulatedApp f(chipIn("27C080"));
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
  EXPECT_TRUE(f.logged("1048576 bytes Read from Device"));
}

TEST(DeviceRead, A24C16IsReadOverTheTwoWireBus) {
  SimulatedApp f(chipIn("24C16"));
  f.app.Read_button_Click();
  const auto& cells = f.chip->cells();
  EXPECT_TRUE(std::equal(cells.begin(), cells.end(), f.app.buffers.CodeBuffer.begin()));
  EXPECT_FALSE(f.errorLit());
  EXPECT_TRUE(f.logged("2048 bytes Read from Device"));
  // The checksums of what was read, for the operator to compare with the image's.
  EXPECT_TRUE(f.logged("Device read, " + checksumsText(checksumsOf(cells))));
}

TEST(DeviceRead, AnEmptySocketOnA24C08GivesTheNoAcknowledgeReport) {
  SimulatedApp f(chipIn("24C08"));
  f.board.insert(nullptr);
  const auto log = f.logOf([&] { f.app.Read_button_Click(); });
  EXPECT_TRUE(f.errorLit());
  EXPECT_EQ(log,
            "\r\n12:34:56>  **************************************************"
            "\r\n12:34:56>  Device 24CXX DOES NOT RESPOND - ACK Error"
            "\r\n12:34:56>  Check Chip Installation Position on Socket"
            "\r\n12:34:56>  Click on [ERROR] Alert to Reset the Situation");
  EXPECT_EQ(f.platform.sounds.back().filename(), "error.wav");
}

TEST(Display, ShowsTheLivePageAndScrollingReadsTheChip) {
  SimulatedApp f(chipIn("2764", false));
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
  SimulatedApp f(chipIn("24C08"));
  f.port.clear();
  f.app.Display_button_Click();
  EXPECT_TRUE(f.port.lines.empty());
  EXPECT_TRUE(f.logged("Fetching Device Binary Contents to Screen"));
}

}  // namespace
}  // namespace burnlab::testing
