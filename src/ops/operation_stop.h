#pragma once

#include <functional>

#include "ops/command_outcome.h"
#include "ops/operation_context.h"

namespace burnlab {

// Stop: the way out of a long device command. The window's Esc and Stop button and a terminal's
// signals make a stop request; the command sees it at its next progress step or pause, which
// throws OperationStopped, and ends there. Whatever it has done so far stays done; the board is
// reset (every line idle, programming voltage off), the DataFlow and Program lamps go dark and
// the progress bar empties.
//
// The window's events and the CLI's run start every command through run(). While one runs, its
// progress steps offer the Stop button.
class OperationStop {
 public:
  explicit OperationStop(OperationContext& context) : c_(context) {}

  // Runs the operator's command `command` and returns its outcome, or Stopped when a stop
  // request ended it; the request is left set for the caller to act on. A command started from
  // inside another is part of it: a stop ends the outermost one.
  CommandOutcome run(const std::function<CommandOutcome()>& command);

  // The Stop button (and Esc): asks the running command to stop.
  void Stop_button_Click();

  bool running() const { return c_.commandRunning; }

  // The line the window logs for a command it stopped.
  static constexpr const char* kStoppedLine = "Stopped by the operator: the board is reset";

 private:
  void endStoppedCommand();
  void withdrawStop();

  OperationContext& c_;
};

}  // namespace burnlab
