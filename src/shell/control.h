#pragma once

#include <cstdint>
#include <string>

#include "shell/colors.h"

namespace burnlab {

// One control of the main window as data: what the logic reads and writes. Texts are in the
// system code page (Latin-1), as the program's files are.
struct Control {
  std::string name;      // the control's name, e.g. "Program_button" or "Voltage_button(2)"
  std::string caption;   // caption of a button, label, frame, check box or menu entry
  std::string toolTip;
  std::string text;      // text of a text box, combo box or field
  bool enabled = true;
  bool visible = true;
  bool checked = false;  // option button, check box, checked menu entry
  std::int32_t value = 0;  // slider, scroll bar, progress bar
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::uint32_t foreColor = kWindowText;
  std::int32_t selStart = 0;  // caret position of a text box
};

}  // namespace burnlab
