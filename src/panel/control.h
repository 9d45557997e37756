#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "panel/colors.h"

namespace burnlab {

// One control of the main window as data: what the logic reads and writes. Texts are in the
// system code page (Latin-1), as the program's files are.
struct Control {
  std::string name;     // the control's name, e.g. "Program_button" or "Voltage_button(2)"
  std::string caption;  // caption of a button, label, frame, check box or menu entry
  std::string toolTip;
  std::string text;  // text of a text box, combo box or field
  bool enabled = true;
  bool visible = true;
  bool checked = false;    // option button, check box, checked menu entry
  std::int32_t value = 0;  // slider, scroll bar, progress bar
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::uint32_t foreColor = kWindowText;
  std::uint32_t backColor = kButtonFace;
  std::int32_t selStart = 0;  // caret position of a text box
  std::string key;            // a tool-bar button's key, e.g. "OpenCode"
  // A list's items and its position (-1: none chosen; the text line may then hold a prompt).
  std::vector<std::string> items;
  std::int32_t listIndex = -1;
  // Placement in pixels where the program sets one; a width of 0 leaves it to the layout.
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};

}  // namespace burnlab
