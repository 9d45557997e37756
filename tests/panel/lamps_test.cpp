// Lamps repaint at once; the error alert locks exactly the four buttons and gives them back.
#include <gtest/gtest.h>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

TEST(Lamps, ChangeColourAndRepaintAtOnceAndBlinkingTwiceRestoresTheProgramLamp) {
  SimulatedApp f;
  f.app.lamps.DataFlowLampOn();
  EXPECT_EQ(f.app.panel.DataFlow_label.foreColor, kWhite);
  f.app.lamps.DataFlowLampOff();
  EXPECT_EQ(f.app.panel.DataFlow_label.foreColor, kGreyText);
  EXPECT_EQ(f.view.repaints, (std::vector<std::string>{"DataFlow_label", "DataFlow_label"}));
  EXPECT_EQ(f.view.changes, 0);

  f.app.board.BlinkProgramLamp();
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kWhite);
  f.app.board.BlinkProgramLamp();
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kGreyText);
}

TEST(ErrorAlert, LocksTheFourButtonsAndTheLitLampRestoresThemButTheDarkOneDoesNothing) {
  SimulatedApp f;
  auto& panel = f.app.panel;
  panel.Program_button.enabled = true;
  panel.Verify_button.enabled = false;
  panel.Read_button.enabled = true;
  panel.Display_button.enabled = false;
  panel.Blank_button.enabled = true;
  // A click on the dark lamp does nothing: it gives back no button and resets nothing.
  f.app.lamps.SavedDisplayEnabled = "True";
  f.app.lamps.Error_label_Click();
  EXPECT_FALSE(panel.Display_button.enabled);
  EXPECT_TRUE(panel.SystemLog.text.empty());
  EXPECT_TRUE(f.port.lines.empty());

  f.app.lamps.RaiseErrorAlert();
  EXPECT_EQ(panel.Error_label.foreColor, kWhite);
  for (auto* button :
       {&panel.Program_button, &panel.Verify_button, &panel.Read_button, &panel.Display_button}) {
    EXPECT_FALSE(button->enabled) << button->name;
  }
  EXPECT_TRUE(panel.Blank_button.enabled);
  EXPECT_EQ(f.app.lamps.SavedVerifyEnabled, "False");
  EXPECT_EQ(f.app.lamps.SavedProgramEnabled, "True");

  panel.ProgressBar1.value = 40;
  f.app.lamps.ProgramLampOn();
  f.port.clear();
  f.app.lamps.Error_label_Click();
  EXPECT_TRUE(panel.Program_button.enabled);
  EXPECT_FALSE(panel.Verify_button.enabled);
  EXPECT_TRUE(panel.Read_button.enabled);
  EXPECT_FALSE(panel.Display_button.enabled);
  EXPECT_EQ(panel.Error_label.foreColor, kGreyText);
  EXPECT_EQ(panel.Program_label.foreColor, kGreyText);
  EXPECT_EQ(panel.ProgressBar1.value, 0);
  EXPECT_EQ(panel.SystemLog.text, "\r\n12:34:56>  Error Alert was Turned Off");
  EXPECT_EQ(f.port.lines.size(), 16u);  // Reset: four register writes
}

}  // namespace
}  // namespace burnlab::testing
