#pragma once

#include <memory>
#include <string>

#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_platform.h"
#include "launch/port_stack.h"
#include "launch/program_options.h"
#include "launch/simulated_platform.h"
#include "shell/app.h"

namespace burnlab {

// The window program's parts, wired as it runs them: the port stack the options ask for, the
// Qt platform and dialogs, the main window and the App behind it. Needs a QApplication.
class WindowProgram {
 public:
  // Nothing when the port stack cannot be built; `error` says why.
  static std::unique_ptr<WindowProgram> build(const ProgramOptions& options, std::string& error);

  // Start-up: the window loads, the command line's port and model choices are made as the
  // operator makes them, and the window shows.
  void start();

  // After the window closed: ends the port trace; why it is incomplete, or nothing.
  std::string finishTrace() { return stack_->finishTrace(); }
  // After the window closed: the simulated chip kept in a file (--sim-chip) goes back to it;
  // why it could not, or nothing.
  std::string writeBackChip() { return stack_->writeBackChip(); }

  MainWindow& window() { return window_; }
  App& app() { return app_; }

 private:
  WindowProgram(std::unique_ptr<PortStack> stack, const ProgramOptions& options);

  ProgramOptions options_;
  std::unique_ptr<PortStack> stack_;
  QtPlatform platform_;
  // Sleeps also pass on the simulated board's clock; with --sim-no-wait they do not really wait.
  SimulatedPlatform simulatedPlatform_;
  MainWindow window_;
  QtDialogs dialogs_;
  App app_;
};

}  // namespace burnlab
