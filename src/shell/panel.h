#pragma once

#include <array>
#include <string>

#include "shell/control.h"

namespace burnlab {

// The main window as data: one field per control, named after it. The Qt window draws it; the
// core's handlers change it. Captions and tool tips start at their design-time values.
struct Panel {
  Panel();

  // Command buttons.
  Control Read_button;
  Control Blank_button;
  Control Verify_button;
  Control Program_button;
  Control Display_button;

  // Lamps: labels whose fore colour is the lamp state.
  Control Error_label;
  Control Program_label;
  Control DataFlow_label;
  Control Ready_label;

  Control ProgressBar1;
  Control SystemLog;

  // Status bar: the text panel, then the date and time panels.
  std::array<Control, 3> sbStatusBar;
};

}  // namespace burnlab
