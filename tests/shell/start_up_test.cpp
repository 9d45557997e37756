// Start-up and shutdown: the board, lamps, log and sounds, the window state start-up leaves,
// and the window's place in the settings store.
#include <gtest/gtest.h>

#include "shell/window_geometry.h"
#include "support/simulated_app.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

using Settings = std::map<std::pair<std::string, std::string>, std::string>;

std::vector<std::string> resetSequenceModel6At378() {
  return {"out 0378 40", "out 037A 05", "out 037A 04", "out 037A 05", "out 0378 00", "out 037A 0D",
          "out 037A 0C", "out 037A 0D", "out 0378 00", "out 037A 07", "out 037A 06", "out 037A 07",
          "out 0378 C4", "out 037A 0F", "out 037A 0E", "out 037A 0F"};
}

Settings storedPlacement(const std::string& left, const std::string& top, const std::string& width,
                         const std::string& height) {
  return {{{"Settings", "MainLeft"}, left},
          {{"Settings", "MainTop"}, top},
          {{"Settings", "MainWidth"}, width},
          {{"Settings", "MainHeight"}, height}};
}

TEST(StartUp, ResetsTheBoardDarkensTheLampsEmptiesTheLogPlaysInitAndDisablesTheCommands) {
  SimulatedApp f;
  f.app.panel.Error_label.foreColor = kWhite;
  f.app.panel.SystemLog.text = "old";
  f.app.Form_Load();
  // The board search comes first; start-up ends with the reset.
  const auto& lines = f.port.lines;
  ASSERT_GE(lines.size(), 16u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 16, lines.end()), resetSequenceModel6At378());
  EXPECT_EQ(f.board.registers()[3], 0xC4);
  const auto& p = f.app.panel;
  EXPECT_EQ(p.Error_label.foreColor, kGreyText);
  EXPECT_EQ(p.Program_label.foreColor, kGreyText);
  EXPECT_EQ(p.DataFlow_label.foreColor, kGreyText);
  // The search's result shows, but its lines are emptied from the log.
  EXPECT_EQ(p.BurnlabHardwareFound.caption, "MODEL 6 - PC port 378h");
  EXPECT_TRUE(p.SystemLog.text.empty());
  EXPECT_EQ(f.platform.sounds.back(), std::filesystem::path("/opt/burnlab/init.wav"));

  // Every device command is disabled and no device chosen.
  for (const Control* command :
       {&p.Read_button,    &p.Blank_button,    &p.Verify_button,       &p.Program_button,
        &p.Display_button, &p.Erase_button,    &p.EraseFlash_button,   &p.Show_button,
        &p.CheckCode,      &p.CheckData,       &p.menuBlankCheck,      &p.menuProgramCode,
        &p.menuReadCode,   &p.menuVerifyCode,  &p.menuProgramData,     &p.menuReadData,
        &p.menuVerifyData, &p.menuDisplayCode, &p.menuDisplayData,     &p.menuEraseCode,
        &p.menuEraseData,  &p.menuEraseFlash,  &p.menuFlashShowCodeID, &p.menuProtectEeprom,
        &p.tbToolBar[1],   &p.tbToolBar[3],    &p.tbToolBar[4]}) {
    EXPECT_FALSE(command->enabled) << command->name;
  }
  for (const auto& option : p.Voltage_button) {
    EXPECT_FALSE(option.enabled) << option.name;
    EXPECT_FALSE(option.checked) << option.name;
  }
  // The board search and the port choice are never locked.
  EXPECT_TRUE(p.TestHardware_button.enabled);
  EXPECT_TRUE(p.menuTestHardware.enabled);
  EXPECT_TRUE(p.tbToolBar[0].enabled);

  EXPECT_EQ(p.Device.listIndex, -1);
  EXPECT_EQ(p.Device.text, "Please Select Device on this List");
  EXPECT_EQ(p.Show_button.caption, "Show Data");
  EXPECT_EQ(p.Frame3.caption, "Code Buffer Hex/Ascii Display");
  for (const Control* hidden : {&p.FileNameDataLabel, &p.FileNameDataText, &p.FileNameDataSize,
                                &p.tbToolBar[2], &p.tbToolBar[3], &p.tbToolBar[4]}) {
    EXPECT_FALSE(hidden->visible) << hidden->name;
  }
  EXPECT_TRUE(p.HiLow_button[0].checked);
  EXPECT_EQ(p.VScroll1.max, 0);
  EXPECT_EQ((std::array{p.Frame3.top, p.Frame3.width, p.Frame3.height}),
            (std::array{72, 481, 241}));
}

TEST(StartUp, ShowsTheSearchResultWhenNoBoardAnswers) {
  // Every port reads as a port with nothing behind it.
  SimulatedApp f({.wiring = Wiring::NoBoard});
  f.app.Form_Load();
  // The search's own text replaces the one start-up put there.
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "NO HARDWARE FOUND");
  EXPECT_EQ(f.app.panel.Ready_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.board.PortBase, 0);
  EXPECT_TRUE(f.app.panel.SystemLog.text.empty());
}

// A port whose first access finds a problem, as a port that cannot be claimed does.
struct ComplainingPort final : PortIo {
  void PortOut(std::uint16_t, std::uint8_t) override { complain(); }
  std::uint8_t PortIn(std::uint16_t) override { return complain(), 0x7F; }
  void complain() {
    if (app && !complained) app->reportPortProblem("port busy");
    complained = true;
  }
  App* app = nullptr;
  bool complained = false;
};

TEST(StartUp, APortProblemFoundWhileLoadingIsShownAfterTheLogWasEmptied) {
  ComplainingPort port;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app({port, platform, dialogs, view});
  port.app = &app;
  app.Form_Load();
  EXPECT_EQ(app.panel.SystemLog.text, "\r\n12:34:56>  port busy");
  EXPECT_EQ(app.panel.sbStatusBar[0].text, "port busy");
  app.reportPortProblem("later");
  EXPECT_EQ(app.panel.sbStatusBar[0].text, "later");
}

// The window opens at the stored placement, taking the default for a value that is no number; a
// window closed minimised keeps the placement saved before.
TEST(StartUp, OpensAtTheStoredPlacementAndAMinimisedCloseKeepsIt) {
  const std::pair<Settings, std::array<double, 4>> cases[] = {
      {{}, {100, 100, 100, 6500}},  // an empty settings store: the default placement
      {storedPlacement("1500", " 2250 ", "12e3", "wide"), {1500, 2250, 12000, 6500}}};
  for (const auto& [stored, expected] : cases) {
    SimulatedApp f;
    f.platform.settings = stored;
    f.app.Form_Load();
    const auto& placed = f.app.panel.placement;
    EXPECT_EQ((std::array{placed.left, placed.top, placed.width, placed.height}), expected);
    f.app.panel.placement = {0, 0, 2000, 400, true};
    f.app.Form_Unload();
    EXPECT_EQ(f.platform.settings, stored);
  }
}

TEST(Shutdown, ResetsTheBoardClosesTheOtherWindowsAndSavesThePlacement) {
  SimulatedApp f;
  f.app.Form_Load();
  f.app.mnuHelpAbout_Click();
  f.port.clear();
  f.app.panel.placement = {1500, 750, 12345.5, 9000, false};
  f.app.Form_Unload();
  EXPECT_EQ(f.port.lines, resetSequenceModel6At378());
  EXPECT_EQ(f.view.otherWindowsClosed, 1);
  EXPECT_FALSE(f.app.frmAbout.has_value());
  EXPECT_EQ(f.platform.settings, storedPlacement("1500", "750", "12345.5", "9000"));
}

TEST(WindowGeometry, StoresNumbersAsShortDecimalTextAndReadsOnlyNumbers) {
  EXPECT_EQ(geometryText(1500), "1500");
  EXPECT_EQ(geometryText(-150), "-150");
  EXPECT_EQ(geometryText(1234.5), "1234.5");
  EXPECT_EQ(geometryNumber("1234.5"), 1234.5);
  EXPECT_EQ(geometryNumber("+15"), 15.0);
  for (const char* bad : {"", "  ", "abc", "12px", "1,5", "nan", "inf", "--1"}) {
    EXPECT_FALSE(geometryNumber(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace burnlab::testing
