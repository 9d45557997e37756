#pragma once

#include "cli/cli_commands.h"

namespace burnlab {

// sum: the CRC-32 and byte sum of the image file -i names, as loading it into the code buffer
// gives them, or without -i of the chip -d names, after reading it.
int sumImage(CliContext& context);

// compare (run by withDevice): loads -i into the code buffer and lists every address where the
// chip differs from it, at most --max of them, then their count. Exit status 1 when anything
// differs.
int compareDevice(CliContext& context);

}  // namespace burnlab
