#pragma once

#include <csignal>

#include "ops/stop_request.h"

namespace burnlab {

// The one owner of SIGINT (Ctrl-C), SIGTERM and SIGHUP on a terminal, from its construction on:
// a signal never ends the process on the spot. Its handler writes out the port trace traced so
// far and then asks the device command to stop, so that the command ends with the board reset
// and no programming voltage left on a chip. A signal that comes before there is a command to
// ask (during start-up) is kept, and asked of the request as soon as one is given. The handlers
// it replaced come back when it goes.
class StopOnSignals {
 public:
  StopOnSignals();
  ~StopOnSignals();
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

  // While an Asking lives, the signals ask `request` to stop; one that came before it asks at
  // once.
  class Asking {
   public:
    explicit Asking(StopRequest& request);
    ~Asking();
    Asking(const Asking&) = delete;
    Asking& operator=(const Asking&) = delete;
  };

  // The signals it answers.
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

 private:
  struct sigaction replaced_[3]{};
};

// The exit status of a process that a signal ended: 128 + its number, as a shell reports it.
inline int exitStatusOfSignal(int signal) {
  return 128 + signal;
}

}  // namespace burnlab
