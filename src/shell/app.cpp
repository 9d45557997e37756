#include "shell/app.h"

namespace burnlab {

App::App(AppSeams appSeams)
    : seams(appSeams),
      board(seams.port, *this),
      log(panel, seams.platform, seams.dialogs, board),
      lamps(panel, seams.view, log, board),
      sounds(seams.platform) {}

void App::resetProgressBar() {
  panel.ProgressBar1.max = 100;
  panel.ProgressBar1.value = 0;
}

void App::Form_Load() {
  loading_ = true;
  board.Model = 0;
  board.ShortDelayFactor = 5;
  board.MediumDelayFactor = 100;
  board.LongDelayFactor = 500;
  panel.Ready_label.foreColor = kGreyText;
  board.setPortBase(0);
  board.InitControlTables();
  if (board.PortBase == 0) searchForBoard();
  board.SetupPortModel();
  lamps.DataFlowLampOff();
  lamps.ProgramLampOff();
  lamps.ErrorLampOff();
  log.clear();
  board.Reset();
  sounds.PlayEventSound("INIT");
  loading_ = false;
  for (const auto& problem : pendingPortProblems_) showPortProblem(problem);
  pendingPortProblems_.clear();
  seams.view.changed();
}

void App::searchForBoard() {
  // The board search and its probes are not built yet: take the board where it is said to be.
  if (!assumedBoard_) return;
  board.setPortBase(assumedBoard_->portBase);
  board.Model = assumedBoard_->model;
}

void App::Form_Unload() { board.Reset(); }

void App::reportPortProblem(const std::string& problem) {
  if (loading_) {
    pendingPortProblems_.push_back(problem);
    return;
  }
  showPortProblem(problem);
  seams.view.changed();
}

void App::showPortProblem(const std::string& problem) {
  log.LogLine(problem);
  panel.sbStatusBar[0].text = problem;
}

}  // namespace burnlab
