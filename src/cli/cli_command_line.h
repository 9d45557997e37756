#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_request.h"
#include "launch/program_options.h"

namespace burnlab {

// burnlab-cli's command line, understood.
struct CliCommandLine {
  ProgramOptions program;
  CliRequest request;
  const CliCommand* command = nullptr;
};

// Reads burnlab-cli's command line (the program's own name left out). Everything that can be
// told from the command line alone is settled here, before any port is touched: help and the
// version (written to `out`, status 0), and every usage error (written to `errors`, status 2):
// an unknown command or option, a missing or misplaced option, a device name that names no
// supported device, an -o file that could not be written. Returns that status, or nothing when
// the command is to run.
std::optional<int> readCliCommandLine(const std::vector<std::string>& arguments,
                                      CliCommandLine& line, std::ostream& out,
                                      std::ostream& errors);

}  // namespace burnlab
