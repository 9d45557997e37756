// What each kind of click in the control table runs: the App's handler of it.
#include "shell/control_clicks.h"

namespace burnlab {

void runControlClick(App& a, const ControlRow& row, Control& control) {
  switch (row.click) {
    case ControlClick::None:
      return;
    case ControlClick::Toggle:
      control.checked = !control.checked;
      return;
    case ControlClick::ChoosePort:
      a.hardware.clickLPTOption(row.index);
      return;
    case ControlClick::ChooseVoltage:
      a.chooseVoltage_button(row.index);
      return;
    case ControlClick::ChooseByteLane:
      a.chooseHiLow_button(row.index);
      return;
    case ControlClick::ToolButton:
      if (!control.key.empty()) a.bufferCommands.tbToolBar_ButtonClick(control.key);
      return;
    case ControlClick::Read:
      a.Read_button_Click();
      return;
    case ControlClick::BlankCheck:
      a.Blank_button_Click();
      return;
    case ControlClick::Verify:
      a.Verify_button_Click();
      return;
    case ControlClick::Program:
      a.Program_button_Click();
      return;
    case ControlClick::Display:
      a.Display_button_Click();
      return;
    case ControlClick::EraseBuffer:
      a.bufferCommands.Erase_button_Click();
      return;
    case ControlClick::EraseCodeBuffer:
      a.bufferCommands.menuEraseCode_Click();
      return;
    case ControlClick::EraseDataBuffer:
      a.bufferCommands.menuEraseData_Click();
      return;
    case ControlClick::EraseChip:
      a.EraseFlash_button_Click();
      return;
    case ControlClick::ShowData:
      a.hexDisplay.Show_button_Click();
      return;
    case ControlClick::TestPort:
      a.hardware.TestHardware_button_Click();
      return;
    case ControlClick::TestPorts:
      a.hardware.menuTestHardware_Click();
      return;
    case ControlClick::Command1:
      a.Command1_Click();
      return;
    case ControlClick::Stop:
      a.stopping.Stop_button_Click();
      return;
    case ControlClick::ShowFlashId:
      a.menuFlashShowCodeID_Click();
      return;
    case ControlClick::ClearErrorAlert:
      a.lamps.Error_label_Click();
      return;
    case ControlClick::ChooseCodeFile:
      a.bufferCommands.FileNameCodeText_Click();
      return;
    case ControlClick::OpenCode:
      a.bufferCommands.mnuFileOpenCode_Click();
      return;
    case ControlClick::SaveCode:
      a.bufferCommands.mnuFileSaveCode_Click();
      return;
    case ControlClick::SaveCodeAs:
      a.bufferCommands.mnuFileSaveCodeAs_Click();
      return;
    case ControlClick::OpenData:
      a.bufferCommands.mnuFileOpenData_Click();
      return;
    case ControlClick::SaveData:
      a.bufferCommands.mnuFileSaveData_Click();
      return;
    case ControlClick::SaveDataAs:
      a.bufferCommands.mnuFileSaveDataAs_Click();
      return;
    case ControlClick::CloseFiles:
      a.bufferCommands.mnuFileClose_Click();
      return;
    case ControlClick::Exit:
      a.mnuFileExit_Click();
      return;
    case ControlClick::ToolsOptions:
      a.mnuToolsOptions_Click();
      return;
    case ControlClick::LoadSetup:
      a.setups.loadSlot(row.index);
      return;
    case ControlClick::SaveSetup:
      a.setups.saveSlot(row.index);
      return;
    case ControlClick::ForceBurnlab4:
      a.hardware.ForceBurnlab4_Click();
      return;
    case ControlClick::ForceBurnlab5:
      a.hardware.ForceBurnlab5_Click();
      return;
    case ControlClick::ForceBurnlab6:
      a.hardware.ForceBurnlab6_Click();
      return;
    case ControlClick::LoopFlashTest:
      a.LoopFlashTest_Click();
      return;
    case ControlClick::ResetFlash:
      a.ResetFlash_Click();
      return;
    case ControlClick::AllowUntested:
      a.menuAllowUntested_Click();
      return;
    case ControlClick::HelpContents:
      a.mnuHelpContents_Click();
      return;
    case ControlClick::HelpSearch:
      a.mnuHelpSearchForHelpOn_Click();
      return;
    case ControlClick::About:
      a.mnuHelpAbout_Click();
      return;
  }
}

}  // namespace burnlab
