#pragma once

#include <csignal>

#include "ops/stop_request.h"

namespace burnlab {

// While it lives, Ctrl-C (SIGINT), SIGTERM and SIGHUP do not end the process on the spot: they
// ask the running device command to stop, so that it ends with the board reset and no
// programming voltage left on a chip. The handlers it replaced come back when it goes.
class StopOnSignals {
 public:
  explicit StopOnSignals(StopRequest& request);
  ~StopOnSignals();
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

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
