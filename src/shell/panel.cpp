#include "shell/panel.h"

namespace burnlab {
namespace {

Control makeControl(std::string name, std::string caption, std::string toolTip = {}) {
  Control control;
  control.name = std::move(name);
  control.caption = std::move(caption);
  control.toolTip = std::move(toolTip);
  return control;
}

Control makeLamp(std::string name, std::string caption) {
  Control lamp = makeControl(std::move(name), std::move(caption));
  lamp.foreColor = kGreyText;
  return lamp;
}

}  // namespace

Panel::Panel()
    : Read_button(makeControl("Read_button", "Read", "Read Whole Device to Buffer")),
      Blank_button(makeControl("Blank_button", "Blank Chk", "Check Device for Blank (Erased)")),
      Verify_button(makeControl("Verify_button", "Verify", "Verify (Compare) Device with File")),
      Program_button(makeControl("Program_button", "Program", "Program Device with Buffer Data")),
      Display_button(
          makeControl("Display_button", "Display", "Display Device's contents on Screen")),
      Error_label(makeLamp("Error_label", "ERROR")),
      Program_label(makeLamp("Program_label", "Program")),
      DataFlow_label(makeLamp("DataFlow_label", "DataFlow")),
      Ready_label(makeLamp("Ready_label", "HwReady")),
      ProgressBar1(makeControl("ProgressBar1", "")),
      SystemLog(makeControl("SystemLog", "", "Double Click to Save to Burnlab.Log file")),
      sbStatusBar{makeControl("sbStatusBar(1)", "Status"), makeControl("sbStatusBar(2)", ""),
                  makeControl("sbStatusBar(3)", "")} {
  ProgressBar1.max = 100;
  sbStatusBar[0].text = "Status";
}

}  // namespace burnlab
