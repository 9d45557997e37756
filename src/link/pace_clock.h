#pragma once

#include <cstdint>

namespace burnlab {

// Monotonic time for the delays that must last a real time, whatever the PC's speed: the EPROM
// program pulses, and the loops that must end within a chip's byte-load window. The program
// reads the machine's steady clock; tests read a virtual clock that moves only when a wait is
// asked of it, so they take no real time and can see every wait requested.
class PaceClock {
 public:
  virtual ~PaceClock() = default;
  // Nanoseconds from an arbitrary start; never goes back.
  virtual std::uint64_t nowNs() = 0;
  // Busy-waits until nowNs() reaches `deadlineNs`: no sleeping and no window events, as in
  // every delay loop.
  virtual void spinUntil(std::uint64_t deadlineNs) = 0;
};

// The machine's steady clock, spun on.
class SteadyPaceClock final : public PaceClock {
 public:
  std::uint64_t nowNs() override;
  void spinUntil(std::uint64_t deadlineNs) override;
};

// The one steady clock, shared: it holds no state.
SteadyPaceClock& steadyPaceClock();

}  // namespace burnlab
