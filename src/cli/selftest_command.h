#pragma once

#include "cli/cli_commands.h"

namespace burnlab {

// selftest: Test the Board on a terminal. Prints one line per check and then the summary on
// standard output; with -d it also reads the chip in the socket --reads times (3 by default).
// Exits 0 when every check passed (a warning, such as program pulses much too long on a loaded
// machine, is shown and still passes), 1 when one found a fault, 3 when no board answered.
int testBoard(CliContext& context);

}  // namespace burnlab
