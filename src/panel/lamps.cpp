#include "panel/lamps.h"

#include "panel/system_log.h"

namespace burnlab {
namespace {

std::string enabledWord(const Control& button) {
  return button.enabled ? "True" : "False";
}

}  // namespace

void Lamps::light(Control& lamp, bool lit) {
  lamp.foreColor = lit ? kWhite : kGreyText;
  // Lamps change inside busy loops that never return to the event loop: draw now.
  view_.repaint(lamp);
}

void Lamps::toggleProgramLamp() {
  light(panel_.Program_label, panel_.Program_label.foreColor == kGreyText);
}

void Lamps::RaiseErrorAlert() {
  ErrorLampOn();
  SavedProgramEnabled = enabledWord(panel_.Program_button);
  SavedVerifyEnabled = enabledWord(panel_.Verify_button);
  SavedReadEnabled = enabledWord(panel_.Read_button);
  SavedDisplayEnabled = enabledWord(panel_.Display_button);
  panel_.Program_button.enabled = false;
  panel_.Verify_button.enabled = false;
  panel_.Read_button.enabled = false;
  panel_.Display_button.enabled = false;
}

void Lamps::Error_label_Click() {
  if (panel_.Error_label.foreColor != kWhite) return;
  ErrorLampOff();
  ProgramLampOff();
  DataFlowLampOff();
  log_.LogLine("Error Alert was Turned Off");
  panel_.ProgressBar1.value = 0;
  panel_.Program_button.enabled = SavedProgramEnabled == "True";
  panel_.Verify_button.enabled = SavedVerifyEnabled == "True";
  panel_.Read_button.enabled = SavedReadEnabled == "True";
  panel_.Display_button.enabled = SavedDisplayEnabled == "True";
  board_.resetBoard();
}

}  // namespace burnlab
