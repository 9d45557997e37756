#include "cli/command_refusals.h"

#include <algorithm>
#include <ostream>

#include "cli/cli_dialogs.h"
#include "devices/command_availability.h"
#include "launch/config_folder.h"
#include "link/null_port.h"
#include "panel/std_platform.h"
#include "panel/view.h"
#include "shell/app.h"

namespace burnlab {
namespace {

std::string noRoutine(const App& chosen, const std::string& routine) {
  return "there is no " + routine + " routine for " + chosen.device.DeviceName +
         ": nothing was done";
}

std::string voltageRefusal(App& chosen, const CliRequest& request) {
  if (!request.voltage) return "";
  const auto& option = chosen.panel.Voltage_button[static_cast<std::size_t>(*request.voltage)];
  if (option.enabled) return "";
  return chosen.device.DeviceName + " does not take the " + option.caption + " programming voltage";
}

std::string protectionRefusal(App& chosen, const CliRequest& request) {
  if (!request.protect || chosen.panel.menuProtectEeprom.enabled) return "";
  return chosen.device.DeviceName +
         " has no data protection to switch on: --protect is for the X28C256";
}

}  // namespace

namespace device_refusal {

std::string withoutReadRoutine(App& chosen, const CliRequest&) {
  return chosen.reading.hasReadRoutine() ? "" : noRoutine(chosen, "read");
}

std::string withoutBlankCheckRoutine(App& chosen, const CliRequest&) {
  return chosen.blankCheck.hasCodeRoutine() ? "" : noRoutine(chosen, "blank check");
}

std::string withoutProgramRoutine(App& chosen, const CliRequest& request) {
  if (chosen.device.Routines.program == ProgramRoutine::None) return noRoutine(chosen, "program");
  if (auto refused = voltageRefusal(chosen, request); !refused.empty()) return refused;
  return protectionRefusal(chosen, request);
}

std::string withoutEraseRoutine(App& chosen, const CliRequest&) {
  if (!chosen.panel.EraseFlash_button.enabled)
    return chosen.device.DeviceName + " has no Erase Chip";
  return chosen.device.Routines.erase != EraseRoutine::None ? "" : noRoutine(chosen, "erase");
}

std::string withoutDisplayRoutineOrPage(App& chosen, const CliRequest& request) {
  if (!chosen.reading.hasDisplayRoutine()) return noRoutine(chosen, "display");
  // The chip's pages are those of the scroll bar the selection set: the device's size.
  const auto& pages = chosen.panel.VScroll1;
  const auto lastPage = std::max(pages.max, pages.min);
  if (request.page && *request.page > lastPage) {
    return "page " + std::to_string(*request.page) + " is beyond the last page " +
           std::to_string(lastPage) + " of " + chosen.device.DeviceName;
  }
  return "";
}

std::string withoutFlashIdentification(App& chosen, const CliRequest&) {
  const bool identifies = chosen.device.Routines.identify != IdentifyRoutine::None;
  return identifies ? "" : noRoutine(chosen, "flash identification");
}

std::string readWithoutFile(App& chosen, const CliRequest& request) {
  return request.input.empty() ? withoutReadRoutine(chosen, request) : "";
}

}  // namespace device_refusal

std::string refusalOnTheDevice(const CliCommandLine& line) {
  const auto& request = line.request;
  if (!line.command->refusesDevice || !request.deviceRow) return "";
  // The program on no port: its choices are made as in the window, and nothing reaches a port,
  // burnlab6.ini or the settings.
  NullPort noPort;
  StdPlatform platform(executableFolder());
  std::ostream nowhere(nullptr);
  CliDialogs dialogs(request.yes, nowhere);
  NoView view;
  App chosen({noPort, platform, dialogs, view});
  DisableDeviceCommands(chosen.panel);
  chosen.selection.allowUntested = request.allowUntested;
  chosen.selection.fillDeviceList();
  chosen.setDeviceListIndex(*request.deviceRow);
  return line.command->refusesDevice(chosen, request);
}

}  // namespace burnlab
