// Start-up and shutdown: the window state start-up leaves, and the window's place in the
// settings store.
#include <gtest/gtest.h>

#include "shell/window_geometry.h"
#include "support/simulated_app.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

using Settings = std::map<std::pair<std::string, std::string>, std::string>;

Settings storedPlacement(const std::string& left, const std::string& top, const std::string& width,
                         const std::string& height) {
  return {{{"Settings", "MainLeft"}, left},
          {{"Settings", "MainTop"}, top},
          {{"Settings", "MainWidth"}, width},
          {{"Settings", "MainHeight"}, height}};
}

TEST(StartUp, LeavesEveryDeviceCommandDisabledAndNoDeviceChosen) {
  SimulatedApp f;
  f.app.Form_Load();
  const auto& p = f.app.panel;
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

TEST(StartUp, ShowsTheSearchResultButEmptiesTheLogOfTheSearchLines) {
  SimulatedApp f;
  f.app.Form_Load();
  EXPECT_NE(f.app.panel.BurnlabHardwareFound.caption, "NO HARDWARE FOUND !!!");
  EXPECT_NE(f.app.panel.BurnlabHardwareFound.caption, "NO HARDWARE FOUND");
  EXPECT_TRUE(f.app.panel.SystemLog.text.empty());
  for (const Control* lamp :
       {&f.app.panel.Error_label, &f.app.panel.Program_label, &f.app.panel.DataFlow_label}) {
    EXPECT_EQ(lamp->foreColor, kGreyText) << lamp->name;
  }
  // The reset is the last port traffic, the start-up sound the last thing of all.
  ASSERT_FALSE(f.platform.sounds.empty());
  EXPECT_EQ(f.platform.sounds.back().filename(), "init.wav");
}

TEST(StartUp, OpensAtTheDefaultPlacementWithAnEmptySettingsStore) {
  SimulatedApp f;
  f.app.Form_Load();
  const auto& placed = f.app.panel.placement;
  EXPECT_EQ((std::array{placed.left, placed.top, placed.width, placed.height}),
            (std::array{100.0, 100.0, 100.0, 6500.0}));
}

TEST(StartUp, ReadsTheStoredPlacementAndTakesTheDefaultForAValueThatIsNoNumber) {
  SimulatedApp f;
  f.platform.settings = storedPlacement("1500", " 2250 ", "12e3", "wide");
  f.app.Form_Load();
  const auto& placed = f.app.panel.placement;
  EXPECT_EQ((std::array{placed.left, placed.top, placed.width, placed.height}),
            (std::array{1500.0, 2250.0, 12000.0, 6500.0}));
}

TEST(Shutdown, ResetsTheBoardClosesTheOtherWindowsAndSavesThePlacement) {
  SimulatedApp f;
  f.app.Form_Load();
  f.app.mnuHelpAbout_Click();
  f.port.clear();
  f.app.panel.placement = {1500, 750, 12345.5, 9000, false};
  f.app.Form_Unload();
  ASSERT_FALSE(f.port.lines.empty());
  EXPECT_EQ(f.port.lines.front(), "out 0378 40");  // Reset starts with register 0 idle
  EXPECT_EQ(f.view.otherWindowsClosed, 1);
  EXPECT_FALSE(f.app.frmAbout.has_value());
  EXPECT_EQ(f.platform.settings, storedPlacement("1500", "750", "12345.5", "9000"));
}

TEST(Shutdown, AMinimisedWindowKeepsThePlacementSavedBefore) {
  SimulatedApp f;
  f.platform.settings = storedPlacement("1500", "750", "9000", "6000");
  f.app.Form_Load();
  f.app.panel.placement = {0, 0, 2000, 400, true};
  f.app.Form_Unload();
  EXPECT_EQ(f.platform.settings, storedPlacement("1500", "750", "9000", "6000"));
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
