#include "devices/device_selection.h"

#include <algorithm>

#include "devices/command_availability.h"
#include "devices/device_catalogue.h"
#include "devices/program_speed.h"
#include "devices/untested_devices.h"
#include "util/text.h"

namespace burnlab {
namespace {

constexpr const char* kPrompt = "Please Select Device on this List";

void enable(std::initializer_list<Control*> controls, bool on = true) {
  for (Control* control : controls) control->enabled = on;
}

}  // namespace

void DeviceSelection::fillDeviceList() {
  auto& list = p_.panel.Device;
  list.items.clear();
  for (int row = 0; row <= DeviceCatalogue::lastUsedRow(); ++row) {
    list.items.push_back(deviceListEntry(row, allowUntested));
  }
}

void DeviceSelection::setAllowUntested(bool allow) {
  allowUntested = allow;
  auto& list = p_.panel.Device;
  const int position = list.listIndex;
  fillDeviceList();
  // A device chosen under the opt-in is given up with it: nothing may run on it any more.
  if (!allow && untestedButWorking(position)) {
    list.listIndex = -1;
    showPrompt();
    DisableDeviceCommands(p_.panel);
    p_.device = SelectedDevice{};
    p_.options.showProgramPulse();
  }
}

void DeviceSelection::showPrompt() {
  p_.panel.Device.text = kPrompt;
}

void DeviceSelection::Device_Click() {
  auto& list = p_.panel.Device;
  const int position = list.listIndex;
  const auto* row = DeviceCatalogue::row(position);
  if (position < 0 || !row || position >= static_cast<int>(list.items.size())) {
    showPrompt();
    return;
  }
  p_.device.DeviceName = trimmed(list.items[static_cast<std::size_t>(position)]);
  if (p_.device.DeviceName.rfind("N/A", 0) == 0) {
    // An unsupported row: back to no position, which shows the prompt again; the previous
    // device stays in effect.
    list.listIndex = -1;
    Device_Click();
    return;
  }
  list.text = list.items[static_cast<std::size_t>(position)];
  takeRow(*row);
  chipLinesToIdle();
  p_.options.ApplyProgramSpeed();

  auto& device = p_.device;
  device.DeviceSize = device.DeviceSizeKB * 1024;
  p_.buffers.takeDeviceSize(device.DeviceSize);

  for (Control* shown : {&p_.panel.Frame5, &p_.panel.CheckBlankPriorProgramming,
                         &p_.panel.VerifyAfterProgramming, &p_.panel.FrameVoltageSelection}) {
    shown->visible = true;
  }
  DisableDeviceCommands(p_.panel);
  EnableDeviceCommands(p_.panel, offeredCommands(device.Routines, device.Offers));
  p_.panel.PleaseSelect.visible = false;
  p_.panel.Frame3.visible = true;
  p_.panel.BufferDisplay.visible = true;
  // The AT29C256 is put through its identification cycle as soon as it is chosen.
  if (device.Routines.identify == IdentifyRoutine::AT29C256Commands) {
    p_.flashId.FlashIdCycle();
  }
  setBufferControls();
  suggestVoltage();
  enableLoadedBufferCommands();
  p_.lamps.ErrorLampOff();
  p_.lamps.DataFlowLampOff();
  report();
  if (untestedButWorking(position)) {
    p_.log.LogLine("Device " + device.DeviceName + " is untested on real hardware");
  }
  p_.sounds.PlayEventSound("DONE");
}

void DeviceSelection::takeRow(const CatalogueRow& row) {
  auto& device = p_.device;
  device.DeviceFamily = std::string(1, row.familyLetter());
  device.DeviceSubCode = std::string(1, row.subCode);
  device.DeviceSizeKB = row.sizeKB;
  device.DeviceCode = row.deviceCode();
  device.VppClass = row.vppClass;
  device.Family = row.family;
  device.Routines = row.routines;
  device.Offers = row.offers;
  p_.board.address.Reg1Extra = row.reg1Bits;
  p_.board.address.Reg3Extra = row.reg3Bits;
  p_.board.maps.buildFor(row.wiring);
  const auto factors = delayFactorsFor(row.subCode);
  p_.board.ShortDelayFactor = factors.shortFactor;
  p_.board.MediumDelayFactor = factors.mediumFactor;
  p_.board.LongDelayFactor = factors.longFactor;
}

void DeviceSelection::chipLinesToIdle() {
  p_.board.CEOFF();
  p_.board.OEOFF();
  if (p_.device.Family == DeviceFamilyKind::Serial) {
    // The serial EEPROM routines start with clock and data lines asserted.
    p_.board.CEON();
    p_.board.OEON();
  }
}

void DeviceSelection::setBufferControls() {
  auto& panel = p_.panel;
  if (p_.device.Offers.dataBuffer) {
    enable(
        {&panel.menuEraseFlash, &panel.menuEraseData, &panel.menuDisplayData, &panel.menuReadData});
    for (int button : {2, 3, 4}) panel.tbToolBar[button].visible = true;
    panel.tbToolBar[3].enabled = true;
    panel.Show_button.enabled = true;
    panel.Show_button.caption = "Show Data";
    for (Control* label :
         {&panel.FileNameDataLabel, &panel.FileNameDataSize, &panel.FileNameDataText}) {
      label->visible = true;
    }
    enable({&panel.mnuFileOpenData, &panel.CheckCode, &panel.CheckData});
    return;
  }
  panel.CheckData.checked = false;
  panel.CheckData.enabled = false;
  panel.CheckCode.checked = true;
  panel.CheckCode.enabled = false;
  p_.buffers.forgetData();
  panel.Show_button.enabled = true;
  panel.Show_button.caption = "Show Code";
}

void DeviceSelection::suggestVoltage() {
  auto& options = p_.panel.Voltage_button;
  const int vppClass = p_.device.VppClass;
  if (vppClass == 0) {
    options[0].enabled = true;
    p_.voltage.chooseVoltage(0);
    return;
  }
  for (int index = 1; index <= std::min(vppClass, 3); ++index) options[index].enabled = true;
  p_.device.ProgVoltage = 12;
  p_.voltage.chooseVoltage(1);
}

void DeviceSelection::enableLoadedBufferCommands() {
  auto& panel = p_.panel;
  if (p_.buffers.codeLoaded()) {
    enable({&panel.Erase_button, &panel.menuEraseCode, &panel.Program_button,
            &panel.menuProgramCode, &panel.Verify_button, &panel.menuVerifyCode});
  }
  if (p_.buffers.dataLoaded()) {
    panel.CheckData.checked = true;
    enable({&panel.Erase_button, &panel.menuEraseData, &panel.Program_button,
            &panel.menuProgramData, &panel.Verify_button, &panel.menuVerifyData});
  }
}

void DeviceSelection::report() {
  auto& device = p_.device;
  p_.log.LogLine("Device " + device.DeviceName + " was Selected");
  const char* suggestion = device.VppClass == 0 ? "5V" : "12.5V";
  device.MessageText = "Device Size is: " + std::to_string(p_.buffers.codeSize()) +
                       " Bytes, Initial VPP suggested: " + suggestion;
  p_.log.LogLine(device.MessageText);
}

}  // namespace burnlab
