#pragma once

#include <memory>
#include <string>

#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "launch/program_options.h"
#include "launch/start_up.h"
#include "shell/app.h"

namespace burnlab {

// The window program: the start-up both views share, with the Qt platform and dialogs, and the
// main window on the App. Needs a QApplication.
class WindowProgram {
 public:
  // Nothing when the port stack cannot be built; `error` says why.
  static std::unique_ptr<WindowProgram> build(const ProgramOptions& options, std::string& error);

  // Start-up: the window loads, the command line's port and model choices are made as the
  // operator makes them, and the window shows.
  void start();
  // For a program that drives the window itself (the screenshots, the start-up benchmark):
  // takes the window system's events until the window is on screen, or 5 s have passed.
  void waitUntilShown();

  // After the window closed: ends the port trace; why it is incomplete, or nothing.
  std::string finishTrace() { return startUp_->stack().finishTrace(); }
  // After the window closed: the simulated chip kept in a file (--sim-chip) goes back to it;
  // why it could not, or nothing.
  std::string writeBackChip() { return startUp_->stack().writeBackChip(); }

  MainWindow& window() { return window_; }
  App& app() { return startUp_->app(); }

 private:
  WindowProgram();
  // The window's menus that need the App or the simulated board.
  void attach();

  // Declared first, so that the App and the port stack outlive the window that shows them.
  std::unique_ptr<StartUp> startUp_;
  MainWindow window_;
  QtDialogs dialogs_;
};

}  // namespace burnlab
