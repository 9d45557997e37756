#pragma once

#include <string>
#include <vector>

#include "panel/control.h"

namespace burnlab {

struct Panel;

// What a control is; the window draws each kind with a widget of its own.
enum class ControlKind {
  Window,
  Frame,
  Label,
  Lamp,
  TextBox,
  List,
  OptionButton,
  CheckBox,
  CommandButton,
  Slider,
  ScrollBar,
  ProgressBar,
  Shape,
  Line,
  StatusPanel,
  Timer,
  ToolButton,
  Menu,
  MenuEntry,
  Separator,
};

// What a click on a control runs (the App's handlers, in shell/control_clicks.cpp).
enum class ControlClick {
  None,    // the control takes no click of its own (frames, labels, entries only enabled)
  Toggle,  // a check box or a checked menu entry: ticks or clears it
  ChoosePort,
  ChooseVoltage,
  ChooseByteLane,
  ToolButton,  // the tool-bar button's key
  Read,
  BlankCheck,
  Verify,
  Program,
  Display,
  EraseBuffer,
  EraseCodeBuffer,
  EraseDataBuffer,
  EraseChip,
  ShowData,
  TestPort,
  TestPorts,
  Command1,
  Stop,
  ShowFlashId,
  ClearErrorAlert,
  ChooseCodeFile,
  OpenCode,
  SaveCode,
  SaveCodeAs,
  OpenData,
  SaveData,
  SaveDataAs,
  CloseFiles,
  Exit,
  ToolsOptions,
  LoadSetup,  // the slot is the row's index
  SaveSetup,
  ForceBurnlab4,
  ForceBurnlab5,
  ForceBurnlab6,
  LoopFlashTest,
  ResetFlash,
  AllowUntested,
  HelpContents,
  HelpSearch,
  About,
};

// One control of the main window as it is designed: where the Panel keeps it, its name,
// caption and tool tip, its kind, the frame or menu it sits in (empty: the window or the menu
// bar) and what a click on it runs. A menu separator without a name of its own is a row with no
// control.
struct ControlRow {
  Control Panel::*member = nullptr;       // a control of its own
  Control& (*element)(Panel&) = nullptr;  // an element of a control array
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string group;
  std::string caption;
  std::string toolTip;
  ControlClick click = ControlClick::None;
  int index = 0;  // of an array element, or of a Setup slot

  bool hasControl() const { return member || element; }
  Control& in(Panel& panel) const;
  const Control& in(const Panel& panel) const;
};

// Every control, in the window's order: the window, its frames and controls, then the menus
// depth first as the menu bar shows them.
const std::vector<ControlRow>& controlTable();
// The row of the control of that name; nullptr when there is none.
const ControlRow* controlRow(const std::string& name);
// The rows that sit in `group`, in order.
std::vector<const ControlRow*> controlsIn(const std::string& group);

}  // namespace burnlab
