#include "cli/stop_signals.h"

#include <atomic>

#include "launch/trace_file.h"

namespace burnlab {
namespace {

// The request the handlers set (one process, one command at a time), and the last signal that
// came, for a request given later.
std::atomic<StopRequest*> stopRequest{nullptr};
std::atomic<int> signalReceived{0};

extern "C" void askToStop(int signal) {
  // One sequence: what was traced before the signal is in the file, then the stop is asked.
  TraceFile::writeOutForSignal();
  signalReceived.store(signal, std::memory_order_relaxed);
  if (auto* request = stopRequest.load(std::memory_order_relaxed)) request->request(signal);
}

}  // namespace

StopOnSignals::StopOnSignals() {
  static_assert(std::atomic<StopRequest*>::is_always_lock_free);
  static_assert(std::atomic<int>::is_always_lock_free);
  TraceFile::handOverStopSignals();
  signalReceived.store(0);
  struct sigaction action {};
  action.sa_handler = askToStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // a sleep or a port access in flight simply goes on
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &action, &replaced_[i]);
  }
}

StopOnSignals::~StopOnSignals() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &replaced_[i], nullptr);
  }
}

StopOnSignals::Asking::Asking(StopRequest& request) {
  stopRequest.store(&request);
  // A signal of start-up, before there was a request to ask (one that comes meanwhile asks
  // twice, which changes nothing).
  if (const int signal = signalReceived.load()) request.request(signal);
}

StopOnSignals::Asking::~Asking() {
  stopRequest.store(nullptr);
}

}  // namespace burnlab
