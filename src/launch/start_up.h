#pragma once

#include <memory>
#include <string>

#include "launch/config_folder.h"
#include "launch/port_stack.h"
#include "launch/program_options.h"
#include "launch/program_signals.h"
#include "launch/simulated_platform.h"
#include "panel/std_platform.h"
#include "shell/app.h"

namespace burnlab {

// What a view brings to the start-up: the platform it runs on (its folders are set here), its
// dialogs and itself.
struct ViewParts {
  std::unique_ptr<StdPlatform> platform;
  Dialogs& dialogs;
  View& view;
};

// The program as both views start it, wired in the one order that loses no signal: the signal
// owner first (before the trace file exists), then the port stack the options ask for, the
// platform (its sleeps passing on the simulated board's clock), the App on them, the board's
// delay observer and measuring clock, the port's problems and the folders. The view loads the
// window (App::Form_Load) itself, since what it does around it differs, and then makes the
// command line's choices with applyOperatorChoices().
class StartUp {
 public:
  // Nothing when the port stack cannot be built; `error` says why.
  static std::unique_ptr<StartUp> build(const ProgramOptions& options,
                                        ProgramSignals::Answer answer, ViewParts view,
                                        std::string& error);
  // The same with folders of the caller's choosing instead of the program's own, and a tap
  // of its own above the back end when given.
  static std::unique_ptr<StartUp> build(const ProgramOptions& options,
                                        ProgramSignals::Answer answer, ViewParts view,
                                        const ProgramFolders& folders, std::string& error,
                                        const PortTap& tap = {});

  App& app() { return app_; }
  PortStack& stack() { return *stack_; }
  const ProgramOptions& options() const { return options_; }

  // The port and model asked for on the command line, made as the operator makes them.
  void applyOperatorChoices();

 private:
  StartUp(const ProgramOptions& options, std::unique_ptr<ProgramSignals> owner,
          std::unique_ptr<PortStack> stack, ViewParts view, const ProgramFolders& folders);

  ProgramOptions options_;
  std::unique_ptr<ProgramSignals> signals_;
  std::unique_ptr<PortStack> stack_;
  std::unique_ptr<StdPlatform> platform_;
  // Sleeps also pass on the simulated board's clock; with --sim-no-wait they do not really wait.
  SimulatedPlatform simulatedPlatform_;
  App app_;
  // The stop signals ask the App's running command to stop (on a terminal).
  ProgramSignals::Asking asking_;
};

}  // namespace burnlab
