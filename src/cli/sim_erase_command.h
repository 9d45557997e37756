#pragma once

#include "cli/cli_commands.h"

namespace burnlab {

// sim-erase: erases the simulated chip kept in --sim-chip FILE, as the window's Simulator >
// Erase the Chip (UV Light) does (every byte FFh; a destroyed chip stays destroyed), and puts it
// back into FILE. Refused without a simulated chip kept in a file.
int eraseKeptChip(CliContext& context);

}  // namespace burnlab
