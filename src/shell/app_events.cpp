// The window's events: each operator action reaches the handler of the control it was made on.
#include <algorithm>
#include <functional>
#include <span>

#include "shell/app.h"
#include "shell/control_clicks.h"

namespace burnlab {
namespace {

// Chooses option `index` of a group and clears the others; true when it was not chosen before.
bool choose(std::span<Control> group, int index) {
  if (index < 0 || index >= static_cast<int>(group.size())) return false;
  const bool wasChosen = group[static_cast<std::size_t>(index)].checked;
  for (auto& option : group) option.checked = false;
  group[static_cast<std::size_t>(index)].checked = true;
  return !wasChosen;
}

}  // namespace

void App::runEvent(const std::function<void()>& handler) {
  // The Stop of a command is an event taken while that command runs: it only asks for the stop.
  const bool command = !stopping.running();
  // An operator's new command starts with no stop asked: one that came after the last
  // command's last step was meant for that command, and is spent here, not when a step ends.
  if (command) stopRequest.clear();
  // The handler's lamps and log lines have told its outcome; only a stop is the event's to tell.
  const auto outcome = stopping.run([&] {
    handler();
    return CommandOutcome::succeeded();
  });
  if (outcome.wasStopped()) log.LogLine(OperationStop::kStoppedLine);
  seams.view.changed();
}

void App::click(const std::string& control) {
  runEvent([&] { dispatchClick(control); });
}

void App::dispatchClick(const std::string& control) {
  const ControlRow* row = controlRow(control);
  if (!row) return;
  Control& clicked = row->in(panel);
  // A disabled control takes no clicks, as in the window itself.
  if (clicked.enabled) runControlClick(*this, *row, clicked);
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
CommandOutcome App::Read_button_Click() { return reading.Read_button_Click(); }
CommandOutcome App::Blank_button_Click() { return blankCheck.Blank_button_Click(); }
CommandOutcome App::Verify_button_Click() { return verify.Verify_button_Click(); }
CommandOutcome App::Program_button_Click() { return programming.Program_button_Click(); }
void App::Display_button_Click() { reading.Display_button_Click(); }
CommandOutcome App::EraseFlash_button_Click() { return erasing.EraseFlash_button_Click(); }
void App::Command1_Click() {}             // the page sent to the secondary display
CommandOutcome App::menuFlashShowCodeID_Click() { return flash.identification.menuFlashShowCodeID_Click(); }
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
