#include "cli/stop_signals.h"

#include <atomic>

namespace burnlab {
namespace {

// The request the handlers set: one process, one command at a time.
std::atomic<StopRequest*> stopRequest{nullptr};

extern "C" void askToStop(int signal) {
  if (auto* request = stopRequest.load(std::memory_order_relaxed)) request->request(signal);
}

}  // namespace

StopOnSignals::StopOnSignals(StopRequest& request) {
  static_assert(std::atomic<StopRequest*>::is_always_lock_free);
  stopRequest.store(&request);
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
  stopRequest.store(nullptr);
}

}  // namespace burnlab
