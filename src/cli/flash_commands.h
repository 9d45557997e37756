#pragma once

#include "cli/cli_commands.h"

namespace burnlab {

// Show Flash Code ID#: the identification lines of the flash chip in the socket. Fails when the
// chip's identity is not one the program knows.
int showFlashCodeId(CliContext& context);

}  // namespace burnlab
