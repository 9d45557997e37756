#pragma once

#include <cstdint>
#include <string>

#include "panel/panel.h"
#include "panel/view.h"

namespace burnlab {

class SystemLog;

// What clearing the error alert returns to its idle state: the board, which lies above the
// panel. The shell implements it.
class BoardReset {
 public:
  virtual ~BoardReset() = default;
  virtual void resetBoard() = 0;
};

// The indicator lamps and the error alert, which lights the Error lamp and locks the four
// operation buttons until the operator clicks the lit lamp.
class Lamps {
 public:
  // `board` returns to its idle state when the operator clears the alert.
  Lamps(Panel& panel, View& view, SystemLog& log, BoardReset& board)
      : panel_(panel), view_(view), log_(log), board_(board) {}

  void ErrorLampOn() { light(panel_.Error_label, true); }
  void ErrorLampOff() { light(panel_.Error_label, false); }
  void ProgramLampOn() { light(panel_.Program_label, true); }
  void ProgramLampOff() { light(panel_.Program_label, false); }
  void DataFlowLampOn() { light(panel_.DataFlow_label, true); }
  void DataFlowLampOff() { light(panel_.DataFlow_label, false); }

  // Program lamp dark -> lit, otherwise -> dark; repainted at once.
  void toggleProgramLamp();

  void RaiseErrorAlert();
  void Error_label_Click();

  // The buttons' Enabled states saved by RaiseErrorAlert, as the words True or False.
  std::string SavedProgramEnabled, SavedVerifyEnabled, SavedReadEnabled, SavedDisplayEnabled;

 private:
  void light(Control& lamp, bool lit);

  Panel& panel_;
  View& view_;
  SystemLog& log_;
  BoardReset& board_;
};

}  // namespace burnlab
