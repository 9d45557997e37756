// Reading, blank-checking and displaying real chips in the simulated socket, as an operator sees
// it: buffer contents, log lines, lamps and buttons; Blank Chk stops at the first byte that is
// not erased.
#include <gtest/gtest.h>

#include <algorithm>

#include "buffers/image_checksums.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

class EverySelectableDevice : public ::testing::TestWithParam<std::string> {};

TEST_P(EverySelectableDevice, ReadsBackItsChipByteForByte) {
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
  EXPECT_TRUE(f.logged(std::to_string(cells.size()) + " bytes Read from Device"));
  // The checksums of what was read, for the operator to compare with the image's.
  EXPECT_TRUE(f.logged("Device read, " + checksumsText(checksumsOf(cells))));
}

// The parallel parts and the serial EEPROMs, read over the two-wire bus.
std::vector<std::string> selectableParts() {
  std::vector<std::string> parts;
  for (const auto& row : DeviceCatalogue::rows()) {
    if (row.supported) parts.emplace_back(row.partName());
  }
  return parts;
}

// Named by their parts, which are letters and digits only.
INSTANTIATE_TEST_SUITE_P(Catalogue, EverySelectableDevice, ::testing::ValuesIn(selectableParts()),
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
}

TEST(BlankCheck, StopsAtTheFirstByteThatIsNotErasedAndReportsItsAddress) {
  SimulatedApp f(chipIn("27C010", false));  // erased
  f.chip->setCell(0x1234F, 0x0F);
  f.chip->setCell(0x1F000, 0x00);
  EXPECT_EQ(f.logOf([&] { f.app.Blank_button_Click(); }),
            "\r\n12:34:56>  Checking Device for BLANK (Erased)... Wait"
            "\r\n12:34:56>  Device IS NOT BLANK (ERASED)"
            "\r\n12:34:56>  Address: 1234F ][ Device Data: F"
            "\r\n12:34:56>  Click on [ERROR] alert to Reset the Situation");
  EXPECT_TRUE(f.errorLit());
  EXPECT_FALSE(f.app.panel.Read_button.enabled);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0x123 + 1);  // stopped within page 123h
}

TEST(BlankCheck, AFirstByteOfZeroOnA2764IsReportedAtAddressZeroAtOnce) {
  SimulatedApp f(chipIn("2764", false));
  f.chip->setCell(0, 0x00);
  f.app.Blank_button_Click();
  EXPECT_TRUE(f.logged("Address: 0 ][ Device Data: 0\r\n"));
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 1);
  EXPECT_EQ(f.app.board.Reg2, 0);  // the board still addresses the failing byte
  EXPECT_EQ(f.board.registers()[2], 0);
}

TEST(BlankCheck, AnErasedChipIsReportedBlank) {
  SimulatedApp f(chipIn("27C512", false));
  f.app.Blank_button_Click();
  EXPECT_TRUE(f.logged("Device IS BLANK (ERASED)"));
  EXPECT_FALSE(f.errorLit());
  EXPECT_EQ(f.platform.sounds.back().filename(), "ok.wav");
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
