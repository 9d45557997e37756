#pragma once

#include <ostream>

#include "cli/cli_commands.h"
#include "ops/command_outcome.h"

namespace burnlab {

// The CLI's device commands, run on the same handlers as the window's buttons. Each returns
// the exit status.

// The exit status of a device command's outcome.
int statusOf(const CommandOutcome& outcome);

// Every entry of the Device list, "POSITION TEXT", exactly as the window lists it. Needs no
// start-up: the list is the catalogue's.
int listDevices(std::ostream& out, bool allowUntested);

// select: chooses the device -d names, as a choice in the Device list does (then the speed
// --speed names), and prints the log lines of the selection and the program pulse the device
// gets at that speed, as the window shows it beside the slider.
int selectDevice(CliContext& context);

// Chooses the device -d names (a restored setup may have chosen one already), checks that a
// board answered, sets the speed and byte lane the request asks for, then runs `operation`.
int withDevice(CliContext& context, int (*operation)(CliContext&));

// The operations withDevice runs: the Read, Blank Chk, Verify and Program buttons, and Display
// with its page. Read writes the code buffer to -o; Verify compares with -i (or the restored
// setup's code file); Program writes -i (or that code file) into the chip, with the voltage and
// the check boxes the request asks for, once --yes has answered its safety question.
int readDevice(CliContext& context);
int blankCheckDevice(CliContext& context);
int verifyDevice(CliContext& context);
int programDevice(CliContext& context);
// erase: the Erase Chip button; refused for a device that does not offer it.
int eraseDevice(CliContext& context);
int displayDevice(CliContext& context);

}  // namespace burnlab
