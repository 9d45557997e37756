#pragma once

#include "panel/platform.h"
#include "sim/sim_time.h"

namespace burnlab {

// The platform the program runs on, with every sleep also passing on the simulated board's
// clock: the pause really happens (the window behaves as it would with a board) and the
// simulated chips see it. The program pulses' busy-waits really spin too; the board's delay
// loops tell the simulated clock of them. With `realWaits` false the sleeps and spins return
// at once while the simulated clock still advances: a rehearsal that does not wait. Its
// monotonic clock then moves on by every wait it skipped, so whatever times a pulse or a pause
// on it (the board test's pulse check) sees the width the wait asked for, not a pulse cut short.
// Without a simulated clock it only passes everything on.
class SimulatedPlatform final : public Platform {
 public:
  SimulatedPlatform(Platform& real, sim::SimTime* time, bool realWaits = true)
      : real_(real), time_(time), realWaits_(realWaits || !time) {}

  void Sleep(int milliseconds) override {
    if (realWaits_) {
      real_.Sleep(milliseconds);
    } else {
      skippedNs_ += static_cast<std::uint64_t>(milliseconds) * 1'000'000u;
    }
    if (time_) time_->slept(milliseconds);
  }
  std::uint64_t monotonicNs() override { return real_.monotonicNs() + skippedNs_; }
  void spinUntilNs(std::uint64_t deadlineNs) override {
    if (realWaits_) {
      real_.spinUntilNs(deadlineNs);
      return;
    }
    const std::uint64_t now = monotonicNs();
    if (deadlineNs > now) skippedNs_ += deadlineNs - now;
  }
  std::string timeText() override { return real_.timeText(); }
  std::string dateText() override { return real_.dateText(); }
  std::tm localTime() override { return real_.localTime(); }
  std::filesystem::path programFolder() override { return real_.programFolder(); }
  std::filesystem::path workingFolder() override { return real_.workingFolder(); }
  std::filesystem::path resourceFolder() override { return real_.resourceFolder(); }
  std::filesystem::path setupFolder() override { return real_.setupFolder(); }
  void playSound(const std::filesystem::path& waveFile) override { real_.playSound(waveFile); }
  std::optional<std::filesystem::path> findProgram(const std::string& name) override {
    return real_.findProgram(name);
  }
  bool startProgram(const std::filesystem::path& program) override {
    return real_.startProgram(program);
  }
  std::optional<std::string> setting(const std::string& section, const std::string& key) override {
    return real_.setting(section, key);
  }
  void setSetting(const std::string& section, const std::string& key,
                  const std::string& value) override {
    real_.setSetting(section, key, value);
  }

 private:
  Platform& real_;
  sim::SimTime* time_;
  bool realWaits_;
  std::uint64_t skippedNs_ = 0;  // the waits a run that does not wait has skipped
};

}  // namespace burnlab
