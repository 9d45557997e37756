#pragma once

#include <atomic>

namespace burnlab {

// A request to stop the device command that runs now. It may be made from a signal handler or
// another thread (a terminal's Ctrl-C, the window's Stop key); the command sees it at its next
// progress step or pause, and ends there with the board reset, so that no programming voltage
// stays on a chip.
class StopRequest {
 public:
  // Why a command stops when no signal asked for it.
  static constexpr int kByOperator = -1;

  // Async-signal-safe: one lock-free store. `reason` is the signal number, or kByOperator.
  void request(int reason) noexcept { reason_.store(reason, std::memory_order_relaxed); }
  bool requested() const noexcept { return reason_.load(std::memory_order_relaxed) != 0; }
  // The signal number, kByOperator, or 0 when nothing asked for a stop.
  int reason() const noexcept { return reason_.load(std::memory_order_relaxed); }
  void clear() noexcept { reason_.store(0, std::memory_order_relaxed); }

 private:
  static_assert(std::atomic<int>::is_always_lock_free, "a signal handler must be able to set it");
  std::atomic<int> reason_{0};
};

// Thrown at a progress step or pause when a stop was requested, and caught where the command
// was started (the window's event dispatch, the terminal's command runner), which resets the
// board. Nothing between them holds the board: every sequence in flight is abandoned as a
// whole.
struct OperationStopped {
  int reason = 0;
};

}  // namespace burnlab
