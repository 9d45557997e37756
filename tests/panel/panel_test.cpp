// The window as data: every control once under its name, the menu bar, and the operator's
// clicks as the window hands them over.
#include <gtest/gtest.h>

#include <set>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

TEST(Panel, NamesEveryControlOnceAndFindsItByName) {
  Panel panel;
  std::set<std::string> names;
  for (const Control* control : panel.controls()) {
    EXPECT_TRUE(names.insert(control->name).second) << control->name;
  }
  EXPECT_EQ(panel.find("Voltage_button(2)"), &panel.Voltage_button[2]);
  EXPECT_EQ(panel.find("tbToolBar(4)"), &panel.tbToolBar[3]);
  EXPECT_EQ(panel.find("LoadSetup3"), &panel.LoadSetup3);
  EXPECT_EQ(panel.find("Voltage_button(4)"), nullptr);
  EXPECT_EQ(panel.LPTSelection[0].caption, "378h");
  EXPECT_TRUE(panel.LPTSelection[1].checked);
}

TEST(OperatorClicks, ChooseAnOptionOrToggleABoxButADisabledControlTakesNoClick) {
  SimulatedApp f;
  f.app.Form_Load();
  f.app.click("Voltage_button(2)");
  EXPECT_FALSE(f.app.panel.Voltage_button[2].checked);
  f.app.chooseVoltage_button(2);
  EXPECT_TRUE(f.app.panel.Voltage_button[2].checked);
  f.app.panel.Voltage_button[3].enabled = true;
  f.app.click("Voltage_button(3)");
  EXPECT_FALSE(f.app.panel.Voltage_button[2].checked);
  EXPECT_TRUE(f.app.panel.Voltage_button[3].checked);

  // A click chooses one option of a group and toggles a check box, and the view is told.
  const int changes = f.view.changes;
  f.app.click("HiLow_button(2)");
  EXPECT_FALSE(f.app.panel.HiLow_button[0].checked);
  EXPECT_TRUE(f.app.panel.HiLow_button[2].checked);
  f.app.click("CheckBlankPriorProgramming");
  EXPECT_TRUE(f.app.panel.CheckBlankPriorProgramming.checked);
  f.app.click("CheckBlankPriorProgramming");
  EXPECT_FALSE(f.app.panel.CheckBlankPriorProgramming.checked);
  EXPECT_GT(f.view.changes, changes);
}

TEST(OperatorClicks, SettingTheDeviceListPositionRunsDeviceClick) {
  SimulatedApp f;
  f.app.panel.Device.items = {"2732A", "N/A - 2716"};
  // The handler refuses an unsupported row and returns the list to the prompt.
  f.app.setDeviceListIndex(1);
  EXPECT_EQ(f.app.panel.Device.listIndex, -1);
  EXPECT_EQ(f.app.panel.Device.text, "Please Select Device on this List");
  f.app.setDeviceListIndex(7);
  EXPECT_EQ(f.app.panel.Device.listIndex, -1);
}

}  // namespace
}  // namespace burnlab::testing
