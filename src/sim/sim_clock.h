#pragma once

#include <chrono>
#include <cstdint>

namespace burnlab::sim {

// The simulated board's sense of time, in nanoseconds. Each port access advances it by about a
// microsecond, as on a real port, and so does every sleep of the program.
class SimClock {
 public:
  virtual ~SimClock() = default;
  virtual std::uint64_t nowNs() const = 0;
  virtual void advanceNs(std::uint64_t ns) = 0;
};

// Time that passes only when told: write cycles and timeouts cost tests no real time.
class VirtualClock final : public SimClock {
 public:
  std::uint64_t nowNs() const override { return now_; }
  void advanceNs(std::uint64_t ns) override { now_ += ns; }

 private:
  std::uint64_t now_ = 0;
};

// Wall-clock time, for running the window on the simulator as it would run with a board.
class RealClock final : public SimClock {
 public:
  std::uint64_t nowNs() const override {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count());
  }
  void advanceNs(std::uint64_t) override {}  // real time passes by itself

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

inline constexpr std::uint64_t kPortAccessNs = 1000;

}  // namespace burnlab::sim
