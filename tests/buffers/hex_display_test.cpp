// The hex page: views, scrolling and saving the shown page to BURNLAB.BUF.
#include <gtest/gtest.h>

#include "support/buffer_fixture.h"

namespace burnlab::testing {
namespace {

constexpr const char* kMarker = "not redrawn";

std::string firstAddressShown(const std::string& page) {
  const auto line = page.find("| ");
  return page.substr(line - 6, 6);
}

TEST(HexDisplay, AScrollRedrawsOnlyOnARealChangeOfTheBufferView) {
  BufferFixture f;
  auto& display = f.app.hexDisplay;
  f.app.buffers.CodeSize = 1 << 20;
  display.setScrollMax(4095);

  display.setScrollValue(3);  // nothing to redraw yet: the display source is empty
  EXPECT_EQ(f.panel.BufferDisplay.text, "");

  display.DisplaySource = "Read";
  display.setScrollValue(4095);
  EXPECT_EQ(firstAddressShown(f.panel.BufferDisplay.text), "0FFF00");
  f.panel.BufferDisplay.text = kMarker;
  display.setScrollValue(4095);
  display.setScrollValue(5000);  // beyond the maximum: stays on the last page
  EXPECT_EQ(f.panel.BufferDisplay.text, kMarker);

  // A lower maximum moves the value with it, and that redraws.
  display.setScrollMax(2);
  EXPECT_EQ(f.panel.VScroll1.value, 2);
  EXPECT_EQ(firstAddressShown(f.panel.BufferDisplay.text), "000200");

  // Below the minimum, the value rests at page 0.
  display.setScrollMax(-1);
  EXPECT_EQ(f.panel.VScroll1.value, 0);
  EXPECT_EQ(firstAddressShown(f.panel.BufferDisplay.text), "000000");
}

TEST(HexDisplay, TheChipSourceRedrawsThroughTheDeviceRead) {
  BufferFixture f;
  struct CountingReader final : ChipPageReader {
    void DisplayEprom() override { ++pages; }
    int pages = 0;
  } chip;
  auto& a = f.app;
  HexDisplay display(a.panel, a.buffers, a.device, a.board.address, a.board.Model, a.log, a.sounds,
                     a.seams.dialogs, a.seams.platform, chip);
  display.DisplaySource = "DisplayEprom";
  display.setScrollMax(10);
  display.setScrollValue(1);
  EXPECT_EQ(chip.pages, 1);
  EXPECT_EQ(f.panel.BufferDisplay.text, "");
}

TEST(HexDisplay, APagePointsTheDeviceAddressAtItsFirstByte) {
  BufferFixture f;
  f.panel.VScroll1.max = 8202;
  f.panel.VScroll1.value = 0x123;
  f.app.hexDisplay.DisplayCodeMemory();
  const auto& address = f.app.board.address;
  EXPECT_EQ(address.LinearAddress, 0x12300);
  EXPECT_EQ(address.AddrHigh, 1);
  EXPECT_EQ(address.AddrMid, 0x23);
  EXPECT_EQ(address.AddrLow, 0);

  f.panel.VScroll1.value = 3;
  f.app.hexDisplay.DisplayDataMemory();
  EXPECT_EQ(address.LinearAddress, 0x180);
  EXPECT_EQ(firstAddressShown(f.panel.BufferDisplay.text), "000180");
}

TEST(ShowButton, SwitchesAMicrocontrollerBetweenItsCodeAndDataViews) {
  BufferFixture f;
  f.app.device.Offers.dataBuffer = true;  // the AT90S2313
  f.app.buffers.CodeSize = 2048;
  f.app.hexDisplay.DisplaySource = "Read";
  f.app.hexDisplay.setScrollMax(7);
  f.app.hexDisplay.setScrollValue(5);
  const auto& page = f.panel.BufferDisplay.text;

  f.app.hexDisplay.Show_button_Click();
  EXPECT_EQ(f.panel.Show_button.caption, "Show Code");
  EXPECT_EQ(f.panel.Frame3.caption, "Data Buffer Hex/Ascii Display");
  EXPECT_EQ(f.panel.VScroll1.max, 63);
  EXPECT_EQ(f.panel.VScroll1.value, 0);
  EXPECT_EQ(page.rfind("             *** BUFFER DATA ***\r\n\r\n000000| ", 0), 0u);
  EXPECT_EQ(std::count(page.begin(), page.end(), '|'), 16);

  f.app.hexDisplay.setScrollValue(63);
  EXPECT_EQ(firstAddressShown(page), "001F80");

  f.app.hexDisplay.Show_button_Click();
  EXPECT_EQ(f.panel.Show_button.caption, "Show Data");
  EXPECT_EQ(f.panel.Frame3.caption, "Code Buffer Hex/Ascii Display");
  EXPECT_EQ(f.panel.VScroll1.max, 7);
  EXPECT_EQ(f.panel.VScroll1.value, 0);
  EXPECT_EQ(page.find("BUFFER DATA"), std::string::npos);
  EXPECT_EQ(std::count(page.begin(), page.end(), '|'), 32);
}

TEST(ShowButton, OnOtherDevicesReturnsToTheCodeBufferPage) {
  BufferFixture f;
  f.app.hexDisplay.DisplaySource = "DisplayEprom";
  f.panel.BufferDisplay.text = kMarker;
  f.app.hexDisplay.Show_button_Click();
  EXPECT_EQ(f.panel.Show_button.caption, "Show Data");
  EXPECT_EQ(f.panel.Frame3.caption, "Code Buffer Hex/Ascii Display");
  EXPECT_EQ(f.app.hexDisplay.DisplaySource, "Read");
  EXPECT_EQ(firstAddressShown(f.panel.BufferDisplay.text), "000000");
}

TEST(BufferFile, HoldsTheHeaderAndThenTheShownPageExactly) {
  BufferFixture f;
  f.app.bufferCommands.openCodeFile(f.file("a.bin", everyByteValue(1)));
  f.app.board.Model = 5;
  const auto page = f.panel.BufferDisplay.text;

  f.app.hexDisplay.BufferDisplay_DblClick();

  const auto saved = readAll(f.folder.path() / "BURNLAB.BUF");
  const std::string header =
      "BURNLAB BUFFER DISPLAY FILE - ORVANE www.orvane.com\r\n"
      "The following contents are the contents from Buffer DIsplay\r\n"
      "08/12/2026 12:34:56 StatCode: " +
      std::to_string(static_cast<long>(statCode(page))) + "  Model: 5 \r\n" + std::string(60, '-') +
      "\r\n";
  EXPECT_EQ(saved, header + page + "\r\n");
  EXPECT_EQ(f.logLines().back(), "Buffer DIsplay was Saved to BURNLAB.BUF file");
  EXPECT_EQ(f.platform.sounds.back().filename(), "ok.wav");

  // Every double click writes the file anew.
  f.panel.BufferDisplay.text = "x";
  f.app.hexDisplay.BufferDisplay_DblClick();
  EXPECT_TRUE(
      readAll(f.folder.path() / "BURNLAB.BUF").ends_with(std::string(60, '-') + "\r\nx\r\n"));
}

TEST(BufferFile, AFileThatCannotBeWrittenIsReported) {
  BufferFixture f;
  f.platform.working = f.folder.path() / "gone";
  const auto sounds = f.platform.sounds.size();
  f.app.hexDisplay.BufferDisplay_DblClick();
  EXPECT_EQ(f.dialogs.shown.back().kind, "message");
  EXPECT_NE(f.logLines().back().find("could not be saved"), std::string::npos);
  EXPECT_EQ(f.platform.sounds.size(), sounds);
}

}  // namespace
}  // namespace burnlab::testing
