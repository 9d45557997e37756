#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace burnlab::sim {

// What the simulated board saw that would harm or surprise real hardware.
enum class SimEventKind {
  ChipDestroyed,
  VoltageOnWrongPin,         // a programming voltage on a pin that takes none
  WriteIgnoredWhileBusy,     // a write while the chip's write or erase cycle ran
  WriteRefusedByProtection,  // a write that data protection kept out
  CommandNotRecognised,      // a command sequence the chip did not take
  ShortProgramPulse,         // an EPROM program pulse shorter than its datasheet allows
};
inline constexpr std::size_t kSimEventKinds = 6;

struct SimEvent {
  std::uint64_t atNs = 0;
  SimEventKind kind = SimEventKind::ChipDestroyed;
  std::string text;
};

// Every event, counted by kind; the first ones of each kind are kept with their texts (a
// program that polls a busy chip wrongly may cause millions).
class SimEventLog {
 public:
  void add(SimEventKind kind, std::uint64_t atNs, std::string text);

  std::uint64_t count(SimEventKind kind) const { return counts_[index(kind)]; }
  std::uint64_t total() const;
  // The kept events, in the order they happened.
  const std::vector<SimEvent>& kept() const { return kept_; }

  static constexpr std::uint64_t kKeptPerKind = 20;

 private:
  static std::size_t index(SimEventKind kind) { return static_cast<std::size_t>(kind); }

  std::array<std::uint64_t, kSimEventKinds> counts_{};
  std::vector<SimEvent> kept_;
};

// A chip's way of telling the board what happened to it.
class SimEventSink {
 public:
  void attach(SimEventLog* log) { log_ = log; }

 protected:
  ~SimEventSink() = default;
  void report(SimEventKind kind, std::uint64_t atNs, std::string text) {
    if (log_) log_->add(kind, atNs, std::move(text));
  }

 private:
  SimEventLog* log_ = nullptr;
};

}  // namespace burnlab::sim
