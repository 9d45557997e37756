#pragma once

#include "panel/panel.h"

namespace burnlab {

// Returns the window to the state in which nothing may run: every device command, every
// voltage option and every data-buffer control disabled. Start-up calls it once; choosing a
// device calls it before enabling what that device allows.
void DisableDeviceCommands(Panel& panel);

}  // namespace burnlab
