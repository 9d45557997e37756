#include "panel/panel.h"

#include "panel/control_table.h"

namespace burnlab {

Panel::Panel() {
  for (const auto& row : controlTable()) {
    if (!row.hasControl()) continue;
    Control& control = row.in(*this);
    control.name = row.name;
    control.caption = row.caption;
    control.toolTip = row.toolTip;
    if (row.kind == ControlKind::Lamp) control.foreColor = kGreyText;
    if (row.kind == ControlKind::ToolButton) control.key = row.caption;
  }
  // Device selection shows these once a device is chosen.
  for (Control* shown :
       {&Frame5, &CheckBlankPriorProgramming, &VerifyAfterProgramming, &FrameVoltageSelection}) {
    shown->visible = false;
  }
  Stop_button.enabled = false;  // offered only while a command runs
  Device.text = "Please Select Device on this List";
  LPTSelection[1].checked = true;
  HiLow_button[0].checked = true;
  Slider1.min = 1;
  Slider1.max = 20;
  Slider1.value = 18;
  ProgressBar1.max = 100;
  sbStatusBar[0].text = "Status";
  Timer1.enabled = false;
}

std::vector<const Control*> Panel::controls() const {
  std::vector<const Control*> all;
  for (const auto& row : controlTable()) {
    if (row.hasControl()) all.push_back(&row.in(*this));
  }
  return all;
}

std::vector<Control*> Panel::controls() {
  std::vector<Control*> all;
  for (const auto& row : controlTable()) {
    if (row.hasControl()) all.push_back(&row.in(*this));
  }
  return all;
}

Control* Panel::find(const std::string& name) {
  const ControlRow* row = controlRow(name);
  return row ? &row->in(*this) : nullptr;
}

}  // namespace burnlab
