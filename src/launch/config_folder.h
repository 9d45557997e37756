#pragma once

#include <filesystem>

#include "launch/program_options.h"

namespace burnlab {

// Where burnlab6.ini is kept for a run with these options. A real board keeps it in the
// program's folder (the result is empty). A simulated board keeps its own, under the user's
// state directory ($XDG_STATE_HOME/burnlab/simulated, by default ~/.local/state/burnlab/
// simulated), so that simulating never changes what a start on the real board reads. The folder
// is created when it is missing; when that fails, writing the file later reports why.
std::filesystem::path portConfigFolder(const ProgramOptions& options);

}  // namespace burnlab
