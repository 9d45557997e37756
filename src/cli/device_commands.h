#pragma once

#include <ostream>
#include <string>

#include "cli/cli_request.h"

namespace burnlab {

class App;

// The CLI's device commands, run on the same handlers as the window's buttons. Each returns
// the exit status.

// Every entry of the Device list, "POSITION TEXT", exactly as the window lists it.
int listDevices(App& app, std::ostream& out);

// Sets the Device list position as a choice in the window does: by list position, or by the
// device's name (blanks trimmed, any letter case). An unsupported row is refused.
int chooseDevice(App& app, const std::string& nameOrPosition, std::ostream& messages);

// The commands that need a device; `command` is "read", "blank", "verify", "display" or
// "select". Options the request carries (speed, lane) are applied after the device choice.
int runDeviceCommand(App& app, const std::string& command, const CliRequest& request,
                     std::ostream& out, std::ostream& messages);

bool isDeviceCommand(const std::string& command);

}  // namespace burnlab
