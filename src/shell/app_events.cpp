// The window's events: each operator action reaches the handler of the control it was made on.
#include <algorithm>
#include <functional>
#include <map>
#include <span>

#include "panel/branding.h"
#include "shell/app.h"

namespace burnlab {
namespace {

using Handler = std::function<void(App&)>;

// Chooses option `index` of a group and clears the others; true when it was not chosen before.
bool choose(std::span<Control> group, int index) {
  if (index < 0 || index >= static_cast<int>(group.size())) return false;
  const bool wasChosen = group[static_cast<std::size_t>(index)].checked;
  for (auto& option : group) option.checked = false;
  group[static_cast<std::size_t>(index)].checked = true;
  return !wasChosen;
}

// The index in "Name(3)", or -1 when `control` is not an element of the array `name`.
int arrayIndex(const std::string& control, const std::string& name) {
  if (control.size() < name.size() + 3 || control.compare(0, name.size(), name) != 0 ||
      control[name.size()] != '(' || control.back() != ')') {
    return -1;
  }
  const auto digits = control.substr(name.size() + 1, control.size() - name.size() - 2);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::stoi(digits);
}

const std::map<std::string, Handler>& clickHandlers() {
  static const std::map<std::string, Handler> handlers{
      // Command buttons and the Command menu, which runs the matching button's command.
      {"Read_button", [](App& a) { a.Read_button_Click(); }},
      {"menuReadCode", [](App& a) { a.Read_button_Click(); }},
      {"Blank_button", [](App& a) { a.Blank_button_Click(); }},
      {"menuBlankCheck", [](App& a) { a.Blank_button_Click(); }},
      {"Verify_button", [](App& a) { a.Verify_button_Click(); }},
      {"menuVerifyCode", [](App& a) { a.Verify_button_Click(); }},
      {"Program_button", [](App& a) { a.Program_button_Click(); }},
      {"menuProgramCode", [](App& a) { a.Program_button_Click(); }},
      {"menuProgramData", [](App& a) { a.Program_button_Click(); }},
      {"Display_button", [](App& a) { a.Display_button_Click(); }},
      {"menuDisplayCode", [](App& a) { a.Display_button_Click(); }},
      {"Erase_button", [](App& a) { a.bufferCommands.Erase_button_Click(); }},
      {"menuEraseCode", [](App& a) { a.bufferCommands.menuEraseCode_Click(); }},
      {"menuEraseData", [](App& a) { a.bufferCommands.menuEraseData_Click(); }},
      {"EraseFlash_button", [](App& a) { a.EraseFlash_button_Click(); }},
      {"menuEraseFlash", [](App& a) { a.EraseFlash_button_Click(); }},
      {"Show_button", [](App& a) { a.hexDisplay.Show_button_Click(); }},
      {"TestHardware_button", [](App& a) { a.hardware.TestHardware_button_Click(); }},
      {"menuTestHardware", [](App& a) { a.hardware.menuTestHardware_Click(); }},
      {"Command1", [](App& a) { a.Command1_Click(); }},
      {"Stop_button", [](App& a) { a.stopping.Stop_button_Click(); }},
      {"menuFlashShowCodeID", [](App& a) { a.menuFlashShowCodeID_Click(); }},
      // These entries have no action of their own: they are only enabled and disabled.
      {"menuReadData", [](App&) {}},
      {"menuVerifyData", [](App&) {}},
      {"menuDisplayData", [](App&) {}},
      // Labels.
      {"Error_label", [](App& a) { a.lamps.Error_label_Click(); }},
      {"FileNameCodeText", [](App& a) { a.bufferCommands.FileNameCodeText_Click(); }},
      // File menu.
      {"mnuFileOpenCode", [](App& a) { a.bufferCommands.mnuFileOpenCode_Click(); }},
      {"mnuFileSaveCode", [](App& a) { a.bufferCommands.mnuFileSaveCode_Click(); }},
      {"mnuFileSaveCodeAs", [](App& a) { a.bufferCommands.mnuFileSaveCodeAs_Click(); }},
      {"mnuFileOpenData", [](App& a) { a.bufferCommands.mnuFileOpenData_Click(); }},
      {"mnuFileSaveData", [](App& a) { a.bufferCommands.mnuFileSaveData_Click(); }},
      {"mnuFileSaveDataAs", [](App& a) { a.bufferCommands.mnuFileSaveDataAs_Click(); }},
      {"mnuFileClose", [](App& a) { a.bufferCommands.mnuFileClose_Click(); }},
      {"mnuFileExit", [](App& a) { a.mnuFileExit_Click(); }},
      {"mnuToolsOptions", [](App& a) { a.mnuToolsOptions_Click(); }},
      // Setup menu.
      {"LoadSetup1", [](App& a) { a.LoadSetup1_Click(); }},
      {"LoadSetup2", [](App& a) { a.LoadSetup2_Click(); }},
      {"LoadSetup3", [](App& a) { a.LoadSetup3_Click(); }},
      {"LoadSetup4", [](App& a) { a.LoadSetup4_Click(); }},
      {"SaveSetup1", [](App& a) { a.SaveSetup1_Click(); }},
      {"SaveSetup2", [](App& a) { a.SaveSetup2_Click(); }},
      {"SaveSetup3", [](App& a) { a.SaveSetup3_Click(); }},
      {"SaveSetup4", [](App& a) { a.SaveSetup4_Click(); }},
      {"ForceBurnlab4", [](App& a) { a.hardware.ForceBurnlab4_Click(); }},
      {"ForceBurnlab5", [](App& a) { a.hardware.ForceBurnlab5_Click(); }},
      {"ForceBurnlab6", [](App& a) { a.hardware.ForceBurnlab6_Click(); }},
      {"LoopFlashTest", [](App& a) { a.LoopFlashTest_Click(); }},
      {"ResetFlash", [](App& a) { a.ResetFlash_Click(); }},
      // Help menu.
      {"mnuHelpContents", [](App& a) { a.mnuHelpContents_Click(); }},
      {"mnuHelpSearchForHelpOn", [](App& a) { a.mnuHelpSearchForHelpOn_Click(); }},
      {"mnuHelpAbout", [](App& a) { a.mnuHelpAbout_Click(); }},
  };
  return handlers;
}

void toggle(Control& box) {
  box.checked = !box.checked;
}

}  // namespace

void App::runEvent(const std::function<void()>& handler) {
  // The Stop of a command is an event taken while that command runs: it only asks for the stop.
  const bool command = !stopping.running();
  // An operator's new command starts with no stop asked: one that came after the last
  // command's last step was meant for that command, and is spent here, not when a step ends.
  if (command) stopRequest.clear();
  if (!stopping.run(handler)) log.LogLine(OperationStop::kStoppedLine);
  seams.view.changed();
}

void App::click(const std::string& control) {
  runEvent([&] { dispatchClick(control); });
}

void App::dispatchClick(const std::string& control) {
  // A disabled control takes no clicks, as in the window itself.
  if (const Control* clicked = panel.find(control); clicked && !clicked->enabled) return;
  if (const auto handler = clickHandlers().find(control); handler != clickHandlers().end()) {
    handler->second(*this);
  } else if (const int port = arrayIndex(control, "LPTSelection"); port >= 0) {
    hardware.clickLPTOption(port);
  } else if (const int voltage = arrayIndex(control, "Voltage_button"); voltage >= 0) {
    chooseVoltage_button(voltage);
  } else if (const int lane = arrayIndex(control, "HiLow_button"); lane >= 0) {
    chooseHiLow_button(lane);
  } else if (const int button = arrayIndex(control, "tbToolBar"); button >= 1 && button <= 5) {
    const auto& key = panel.tbToolBar[static_cast<std::size_t>(button - 1)].key;
    if (!key.empty()) bufferCommands.tbToolBar_ButtonClick(key);
  } else if (control == "CheckCode") {
    toggle(panel.CheckCode);
  } else if (control == "CheckData") {
    toggle(panel.CheckData);
  } else if (control == "CheckBlankPriorProgramming") {
    toggle(panel.CheckBlankPriorProgramming);
  } else if (control == "VerifyAfterProgramming") {
    toggle(panel.VerifyAfterProgramming);
  } else if (control == "menuProtectEeprom") {
    toggle(panel.menuProtectEeprom);
  } else if (control == "menuAllowUntested") {
    menuAllowUntested_Click();
  }
}

void App::doubleClick(const std::string& control) {
  runEvent([&] {
    if (control == "SystemLog") log.SystemLog_DblClick();
    if (control == "BufferDisplay") hexDisplay.BufferDisplay_DblClick();
  });
}

void App::menuOpened(const std::string& menu) {
  runEvent([&] {
    if (menu == "Setup") Setup_Click();
  });
}

void App::valueChosen(const std::string& control, std::int32_t value) {
  runEvent([&] {
    if (control == "Device") setDeviceListIndex(value);
    if (control == "VScroll1") hexDisplay.setScrollValue(value);
    if (control == "Slider1") {
      panel.Slider1.value = std::clamp(value, panel.Slider1.min, panel.Slider1.max);
      Slider1_Change();
    }
  });
}

void App::showClock() {
  panel.sbStatusBar[1].text = seams.platform.dateText();
  panel.sbStatusBar[2].text = seams.platform.timeText();
}

void App::setDeviceListIndex(std::int32_t index) {
  const auto count = static_cast<std::int32_t>(panel.Device.items.size());
  panel.Device.listIndex = (index >= 0 && index < count) ? index : -1;
  if (panel.Device.listIndex >= 0) {
    panel.Device.text = panel.Device.items[static_cast<std::size_t>(panel.Device.listIndex)];
  }
  Device_Click();
}

void App::chooseVoltage_button(int index) {
  if (choose(panel.Voltage_button, index)) Voltage_button_Click(index);
}

void App::chooseHiLow_button(int index) {
  choose(panel.HiLow_button, index);
}

// --- Handlers answered by other parts of the program; an empty one is not built yet. ---

void App::Device_Click() { selection.Device_Click(); }
void App::Voltage_button_Click(int index) { options.Voltage_button_Click(index); }
void App::Slider1_Change() { options.Slider1_Change(); }
void App::Read_button_Click() { reading.Read_button_Click(); }
void App::Blank_button_Click() { blankCheck.Blank_button_Click(); }
void App::Verify_button_Click() { verify.Verify_button_Click(); }
void App::Program_button_Click() { programming.Program_button_Click(); }
void App::Display_button_Click() { reading.Display_button_Click(); }
void App::EraseFlash_button_Click() { erasing.EraseFlash_button_Click(); }
void App::Command1_Click() {}             // the page sent to the secondary display
void App::menuFlashShowCodeID_Click() { flash.identification.menuFlashShowCodeID_Click(); }
void App::LoopFlashTest_Click() { flash.programming.LoopFlashTest_Click(programming.run); }
void App::ResetFlash_Click() { flash.commands.ResetFlash_Click(); }
void App::Setup_Click() { setups.Setup_Click(); }
void App::SaveSetup1_Click() { setups.saveSlot(1); }
void App::SaveSetup2_Click() { setups.saveSlot(2); }
void App::SaveSetup3_Click() { setups.saveSlot(3); }
void App::SaveSetup4_Click() { setups.saveSlot(4); }
void App::LoadSetup1_Click() { setups.loadSlot(1); }
void App::LoadSetup2_Click() { setups.loadSlot(2); }
void App::LoadSetup3_Click() { setups.loadSlot(3); }
void App::LoadSetup4_Click() { setups.loadSlot(4); }
void App::fillDeviceList() { selection.fillDeviceList(); }

void App::compareDeviceWithBuffer() {
  if (canCompareDeviceWithBuffer()) compare.compareDeviceWithBuffer();
  seams.view.changed();
}

bool App::canCompareDeviceWithBuffer() const {
  return device.selected() && panel.Verify_button.enabled;
}

}  // namespace burnlab
