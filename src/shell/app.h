#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/board.h"
#include "link/board_indicators.h"
#include "link/port_io.h"
#include "shell/dialogs.h"
#include "shell/event_sounds.h"
#include "shell/lamps.h"
#include "shell/panel.h"
#include "shell/platform.h"
#include "shell/system_log.h"
#include "shell/view.h"

namespace burnlab {

// The seams through which the program meets the world.
struct AppSeams {
  PortIo& port;
  Platform& platform;
  Dialogs& dialogs;
  View& view;
};

// Where a board is taken to be while the program cannot search for one yet.
struct AssumedBoard {
  std::int16_t portBase = 0;
  std::int16_t model = 0;
};

// Owns one of each part of the program and wires them together. A test builds a fresh App on
// a simulated board, a virtual clock and scripted dialogs, and throws it away afterwards.
class App final : private BoardIndicators {
 public:
  explicit App(AppSeams seams);

  // Start-up, as the main window loads.
  void Form_Load();
  // Shutdown, as the main window unloads.
  void Form_Unload();

  // A port problem found by the port layer: shown once in the log and the status bar. During
  // start-up it waits until the log has been emptied, so that the operator sees it.
  void reportPortProblem(const std::string& problem);

  // Until the board search exists, start-up takes the board to be here.
  void assumeBoard(AssumedBoard board) { assumedBoard_ = board; }

  AppSeams seams;
  Panel panel;
  Board board;
  SystemLog log;
  Lamps lamps;
  EventSounds sounds;

 private:
  void toggleProgramLamp() override { lamps.toggleProgramLamp(); }
  void resetProgressBar() override;
  void showPortProblem(const std::string& problem);
  void searchForBoard();

  bool loading_ = false;
  std::vector<std::string> pendingPortProblems_;
  std::optional<AssumedBoard> assumedBoard_;
};

}  // namespace burnlab
