#include "devices/command_availability.h"

namespace burnlab {
namespace {

void enable(std::initializer_list<Control*> controls, bool on = true) {
  for (Control* control : controls) control->enabled = on;
}

}  // namespace

OfferedCommands offeredCommands(const DeviceRoutines& routines, const DeviceOffers& offers) {
  return {.blankCheck = routines.blankCheck != BlankCheckRoutine::None,
          .eraseChip = routines.erase != EraseRoutine::None,
          .protection = offers.protection};
}

void DisableDeviceCommands(Panel& panel) {
  // No voltage is chosen afterwards, and clearing an option runs no handler.
  for (auto& option : panel.Voltage_button) option.enabled = false;
  for (auto& option : panel.Voltage_button) option.checked = false;

  panel.tbToolBar[1].enabled = false;  // SaveCode
  for (int button : {2, 3, 4}) panel.tbToolBar[button].visible = false;
  panel.tbToolBar[3].enabled = false;  // OpenData
  panel.tbToolBar[4].enabled = false;  // SaveData

  panel.Show_button.enabled = false;
  panel.Show_button.caption = "Show Data";

  for (Control* entry : {&panel.menuProgramData, &panel.menuReadData, &panel.menuDisplayData,
                         &panel.menuVerifyData, &panel.menuEraseData, &panel.menuProgramCode,
                         &panel.menuDisplayCode, &panel.menuReadCode, &panel.menuVerifyCode,
                         &panel.menuEraseCode, &panel.menuEraseFlash, &panel.menuBlankCheck}) {
    entry->enabled = false;
  }
  for (Control* button :
       {&panel.EraseFlash_button, &panel.Verify_button, &panel.Program_button, &panel.Read_button,
        &panel.Display_button, &panel.Blank_button, &panel.Erase_button}) {
    button->enabled = false;
  }
  panel.CheckData.enabled = false;
  panel.CheckCode.enabled = false;
  for (Control* label :
       {&panel.FileNameDataLabel, &panel.FileNameDataSize, &panel.FileNameDataText}) {
    label->visible = false;
  }
  panel.menuFlashShowCodeID.enabled = false;
  panel.menuProtectEeprom.enabled = false;  // keeps the operator's choice for the next time
  panel.Frame3.caption = "Code Buffer Hex/Ascii Display";
}

void EnableDeviceCommands(Panel& panel, const OfferedCommands& offered) {
  enable({&panel.Read_button, &panel.menuReadCode, &panel.Display_button, &panel.menuDisplayCode});
  enable({&panel.Blank_button, &panel.menuBlankCheck}, offered.blankCheck);
  if (offered.eraseChip) {
    enable({&panel.EraseFlash_button, &panel.menuFlashShowCodeID, &panel.menuEraseFlash});
  }
  if (offered.protection) enable({&panel.menuProtectEeprom});
}

}  // namespace burnlab
