#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "panel/platform.h"
#include "sim/sim_clock.h"

namespace burnlab::testing {

// A virtual clock (a sleep advances it at once), fixed time and date texts, recorded sounds and
// an in-memory settings store.
class FakePlatform final : public Platform {
 public:
  void Sleep(int milliseconds) override {
    elapsedMs += milliseconds;
    // A simulated board's chips see the time pass too (write cycles, acknowledge polling).
    if (simClock) simClock->advanceNs(static_cast<std::uint64_t>(milliseconds) * 1'000'000);
    if (sleepTrace) sleepTrace->push_back("sleep " + std::to_string(milliseconds));
  }
  // The virtual clock: sleeps and spins advance it at once.
  std::uint64_t monotonicNs() override {
    return static_cast<std::uint64_t>(elapsedMs) * 1'000'000 + spunNs;
  }
  // Advances the clock to the deadline (or where spinEnd says) and notes the wait asked for.
  // The simulated board's clock hears of the wait from the board's delay loops, not from here.
  void spinUntilNs(std::uint64_t deadlineNs) override {
    const auto now = monotonicNs();
    const auto end = spinEnd ? spinEnd(deadlineNs, now) : deadlineNs;
    lastSpinNs = end > now ? end - now : 0;
    spunNs += lastSpinNs;
    ++spins;
  }
  std::string timeText() override { return time; }
  std::string dateText() override { return date; }
  std::tm localTime() override { return now; }
  std::filesystem::path programFolder() override { return program; }
  std::filesystem::path workingFolder() override { return working; }
  std::filesystem::path resourceFolder() override { return program; }
  std::filesystem::path setupFolder() override { return working; }
  void playSound(const std::filesystem::path& waveFile) override { sounds.push_back(waveFile); }
  std::optional<std::filesystem::path> findProgram(const std::string& name) override {
    return valueAt(programsOnPath, name);
  }
  bool startProgram(const std::filesystem::path& program) override {
    if (std::ranges::find(failingPrograms, program) != failingPrograms.end()) return false;
    startedPrograms.push_back(program);
    return true;
  }
  std::optional<std::string> setting(const std::string& section, const std::string& key) override {
    return valueAt(settings, {section, key});
  }
  void setSetting(const std::string& section, const std::string& key,
                  const std::string& value) override {
    settings[{section, key}] = value;
  }

  long long elapsedMs = 0;
  // The busy-waits asked for: how many, their total and the last one's length.
  std::uint64_t spins = 0;
  std::uint64_t spunNs = 0;
  std::uint64_t lastSpinNs = 0;
  sim::SimClock* simClock = nullptr;
  // Where a spin from `nowNs` towards `deadlineNs` ends: later on a loaded machine, sooner on a
  // broken clock. Unset: at its deadline.
  std::function<std::uint64_t(std::uint64_t deadlineNs, std::uint64_t nowNs)> spinEnd;
  // Where each sleep is noted as "sleep N" (a recording port's lines, to see the pauses
  // between the port accesses); nullptr: nowhere.
  std::vector<std::string>* sleepTrace = nullptr;
  std::string time = "12:34:56";
  std::string date = "08/12/2026";
  std::tm now = [] {
    std::tm moment{};
    moment.tm_year = 2026 - 1900;
    moment.tm_mon = 11;
    moment.tm_mday = 8;
    moment.tm_hour = 12;
    moment.tm_min = 34;
    moment.tm_sec = 56;
    return moment;
  }();
  std::filesystem::path program = "/opt/burnlab";
  std::filesystem::path working = ".";
  std::vector<std::filesystem::path> sounds;
  std::map<std::pair<std::string, std::string>, std::string> settings;
  // Programs on the fake search path (name -> full name), those that refuse to start, and
  // those started.
  std::map<std::string, std::filesystem::path> programsOnPath;
  std::vector<std::filesystem::path> failingPrograms;
  std::vector<std::filesystem::path> startedPrograms;

 private:
  // What `map` holds under `key`, or nothing.
  template <typename Map>
  static std::optional<typename Map::mapped_type> valueAt(const Map& map,
                                                          const typename Map::key_type& key) {
    const auto found = map.find(key);
    if (found == map.end()) return std::nullopt;
    return found->second;
  }
};

}  // namespace burnlab::testing
