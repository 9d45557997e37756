#pragma once

#include "panel/control_table.h"
#include "shell/app.h"

namespace burnlab {

// Runs what a click on `control`, the control of `row`, runs: its row's click, by the App's
// handler of it. The control is enabled (a disabled one takes no clicks).
void runControlClick(App& app, const ControlRow& row, Control& control);

}  // namespace burnlab
