#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shell/platform.h"

namespace burnlab::testing {

// A virtual clock (a sleep advances it at once), fixed time and date texts, recorded sounds and
// an in-memory settings store.
class FakePlatform final : public Platform {
 public:
  void Sleep(int milliseconds) override { elapsedMs += milliseconds; }
  std::string timeText() override { return time; }
  std::string dateText() override { return date; }
  std::filesystem::path programFolder() override { return program; }
  std::filesystem::path workingFolder() override { return working; }
  void playSound(const std::filesystem::path& waveFile) override { sounds.push_back(waveFile); }
  std::optional<std::string> setting(const std::string& section, const std::string& key) override;
  void setSetting(const std::string& section, const std::string& key,
                  const std::string& value) override;

  long long elapsedMs = 0;
  std::string time = "12:34:56";
  std::string date = "08/12/2026";
  std::filesystem::path program = "/opt/burnlab";
  std::filesystem::path working = ".";
  std::vector<std::filesystem::path> sounds;
  std::map<std::pair<std::string, std::string>, std::string> settings;
};

}  // namespace burnlab::testing
