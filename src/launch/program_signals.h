#pragma once

#include <csignal>

#include "ops/stop_request.h"

namespace burnlab {

// The one owner of the signals that end a run from outside, SIGINT (Ctrl-C), SIGTERM, SIGHUP
// and SIGQUIT, from its construction on. Every one first writes out the port trace traced so
// far (TraceFile::writeOutForSignal), then is answered in one of two ways:
// - StopTheCommand (the terminal): SIGINT, SIGTERM and SIGHUP never end the process on the spot;
//   they ask the device command to stop, so that it ends with the board reset and no programming
//   voltage left on a chip. One that comes before there is a command to ask (during start-up) is
//   kept, and asked of the request as soon as one is given.
// - EndTheProgram (the window), and SIGQUIT always: the program ends as the signal would have
//   ended it without us; a signal it was told to ignore (nohup) stays ignored.
// The handlers it replaced come back when it goes.
class ProgramSignals {
 public:
  enum class Answer { StopTheCommand, EndTheProgram };

  explicit ProgramSignals(Answer answer);
  ~ProgramSignals();
  ProgramSignals(const ProgramSignals&) = delete;
  ProgramSignals& operator=(const ProgramSignals&) = delete;

  // While an Asking lives, the stop signals ask `request` to stop; one that came before it asks
  // at once.
  class Asking {
   public:
    explicit Asking(StopRequest& request);
    ~Asking();
    Asking(const Asking&) = delete;
    Asking& operator=(const Asking&) = delete;
  };

  // The signals it answers; the first three stop the command on a terminal.
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
  static constexpr int kStopSignalCount = 3;

 private:
  struct sigaction replaced_[std::size(kSignals)]{};
};

// The exit status of a process that a signal ended: 128 + its number, as a shell reports it.
inline int exitStatusOfSignal(int signal) {
  return 128 + signal;
}

}  // namespace burnlab
