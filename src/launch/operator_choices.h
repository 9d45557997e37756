#pragma once

#include "launch/program_options.h"
#include "shell/app.h"

namespace burnlab {

// The port and model asked for on the command line, made after start-up as the operator makes
// them in the window: --port clicks its LPT Port Selection option, --model runs its Force Set
// menu item.
void applyOperatorChoices(App& app, const ProgramOptions& options);

}  // namespace burnlab
