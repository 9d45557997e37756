#include "launch/program_signals.h"

#include <atomic>

#include "launch/trace_file.h"

namespace burnlab {
namespace {

// What the handlers reach (one process, one owner and one command at a time): the request they
// set, the last stop signal that came, for a request given later, and the handlers replaced,
// for a signal that ends the program.
std::atomic<StopRequest*> stopRequest{nullptr};
std::atomic<int> signalReceived{0};
std::atomic<const struct sigaction*> replacedActions{nullptr};

bool isStopSignal(int signal, ProgramSignals::Answer answer) {
  if (answer != ProgramSignals::Answer::StopTheCommand) return false;
  for (int i = 0; i < ProgramSignals::kStopSignalCount; ++i) {
    if (ProgramSignals::kSignals[i] == signal) return true;
  }
  return false;
}

extern "C" void askToStop(int signal) {
  // One sequence: what was traced before the signal is in the file, then the stop is asked.
  TraceFile::writeOutForSignal();
  signalReceived.store(signal, std::memory_order_relaxed);
  if (auto* request = stopRequest.load(std::memory_order_relaxed)) request->request(signal);
}

extern "C" void writeOutAndEnd(int signal) {
  TraceFile::writeOutForSignal();
  // End as the signal would have ended the program without us.
  const auto* replaced = replacedActions.load();
  for (std::size_t i = 0; i < std::size(ProgramSignals::kSignals); ++i) {
    if (ProgramSignals::kSignals[i] == signal && replaced) {
      ::sigaction(signal, &replaced[i], nullptr);
    }
  }
  ::raise(signal);
}

}  // namespace

ProgramSignals::ProgramSignals(Answer answer) {
  static_assert(std::atomic<StopRequest*>::is_always_lock_free);
  static_assert(std::atomic<int>::is_always_lock_free);
  signalReceived.store(0);
  replacedActions.store(replaced_);
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    const bool stops = isStopSignal(kSignals[i], answer);
    struct sigaction action {};
    action.sa_handler = stops ? askToStop : writeOutAndEnd;
    sigemptyset(&action.sa_mask);
    if (stops) action.sa_flags = SA_RESTART;  // a sleep or a port access in flight simply goes on
    sigaction(kSignals[i], &action, &replaced_[i]);
    // A signal that ends the program, told to be ignored, stays ignored.
    if (!stops && replaced_[i].sa_handler == SIG_IGN) {
      sigaction(kSignals[i], &replaced_[i], nullptr);
    }
  }
}

ProgramSignals::~ProgramSignals() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &replaced_[i], nullptr);
  }
  replacedActions.store(nullptr);
}

ProgramSignals::Asking::Asking(StopRequest& request) {
  stopRequest.store(&request);
  // A signal of start-up, before there was a request to ask (one that comes meanwhile asks
  // twice, which changes nothing).
  if (const int signal = signalReceived.load()) request.request(signal);
}

ProgramSignals::Asking::~Asking() {
  stopRequest.store(nullptr);
}

}  // namespace burnlab
