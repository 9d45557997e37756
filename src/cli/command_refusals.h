#pragma once

#include <string>

#include "cli/cli_command_line.h"

namespace burnlab {

class App;

// A command line that cannot work on the device it names is refused before start-up, so that
// the port is never touched for it. The device is chosen in a program on no port at all, and
// the command's own check (CliCommand::refusesDevice) asks it what the chosen device offers.

// Why `line` cannot work on the device -d names, or nothing. A device a restored setup chooses
// is known only after start-up; the command checks it there.
std::string refusalOnTheDevice(const CliCommandLine& line);

// The commands' checks, for the table of commands.
namespace device_refusal {
std::string withoutReadRoutine(App& chosen, const CliRequest& request);
std::string withoutBlankCheckRoutine(App& chosen, const CliRequest& request);
std::string withoutProgramRoutine(App& chosen, const CliRequest& request);
std::string withoutEraseRoutine(App& chosen, const CliRequest& request);
std::string withoutDisplayRoutineOrPage(App& chosen, const CliRequest& request);
std::string withoutFlashIdentification(App& chosen, const CliRequest& request);
// sum reads the chip only when no -i file is given.
std::string readWithoutFile(App& chosen, const CliRequest& request);
}  // namespace device_refusal

}  // namespace burnlab
