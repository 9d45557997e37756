#pragma once

#include <string>
#include <utility>

namespace burnlab {

// What a device command came to. The lamps and the log have told the operator already; the
// terminal's exit status is drawn from it. A stop ends a command by unwinding it to
// OperationStop::run, which says so itself.
struct CommandOutcome {
  enum class Kind { Succeeded, Failed, NotSupported };
  Kind kind = Kind::Succeeded;
  // Why it failed (the first line of its error report), or what the device has no routine for.
  std::string reason;

  static CommandOutcome succeeded() { return {}; }
  static CommandOutcome failed(std::string why) { return {Kind::Failed, std::move(why)}; }
  static CommandOutcome notSupported(std::string routine) {
    return {Kind::NotSupported, std::move(routine)};
  }
  bool ok() const { return kind == Kind::Succeeded; }
};

}  // namespace burnlab
