#pragma once

#include <string>
#include <utility>

namespace burnlab {

// What a device command came to. The lamps and the log have told the operator already; the
// window's log line for a stopped command and the terminal's exit status are drawn from it. A
// stop ends a command by unwinding it to OperationStop::run, which returns it as Stopped.
struct CommandOutcome {
  enum class Kind { Succeeded, Failed, NotSupported, Stopped };
  Kind kind = Kind::Succeeded;
  // Why it failed (the first line of its error report), or what the device has no routine for.
  std::string reason;
  // Who asked a stopped command to stop: the signal number, or StopRequest::kByOperator.
  int stoppedBy = 0;

  static CommandOutcome succeeded() { return {}; }
  static CommandOutcome failed(std::string why) { return {Kind::Failed, std::move(why)}; }
  static CommandOutcome notSupported(std::string routine) {
    return {Kind::NotSupported, std::move(routine)};
  }
  static CommandOutcome stopped(int by) { return {Kind::Stopped, {}, by}; }
  bool ok() const { return kind == Kind::Succeeded; }
  bool wasStopped() const { return kind == Kind::Stopped; }
};

}  // namespace burnlab
