#pragma once

#include <map>
#include <utility>

#include "panel/platform.h"

namespace burnlab {

// The platform without a window toolkit: the steady clock, the C library's local time formats,
// no sound and a settings store that lives as long as the program. The CLI runs on it; the
// window replaces the sound and the settings store with Qt's.
class StdPlatform : public Platform {
 public:
  explicit StdPlatform(std::filesystem::path programFolder);

  void Sleep(int milliseconds) override;
  std::uint64_t monotonicNs() override;
  void spinUntilNs(std::uint64_t deadlineNs) override;
  std::string timeText() override;
  std::string dateText() override;
  std::tm localTime() override;
  std::filesystem::path programFolder() override { return programFolder_; }
  std::filesystem::path workingFolder() override;
  std::filesystem::path resourceFolder() override;
  std::filesystem::path setupFolder() override;
  // Other folders for the wave files and help document, and for the setup slots; an empty
  // path keeps the program's folder and the working folder.
  void useFolders(std::filesystem::path resources, std::filesystem::path setups);
  void playSound(const std::filesystem::path&) override {}
  std::optional<std::filesystem::path> findProgram(const std::string& name) override;
  bool startProgram(const std::filesystem::path& program) override;
  std::optional<std::string> setting(const std::string& section, const std::string& key) override;
  void setSetting(const std::string& section, const std::string& key,
                  const std::string& value) override;

 private:
  std::filesystem::path programFolder_;
  std::filesystem::path resourceFolder_;
  std::filesystem::path setupFolder_;
  std::map<std::pair<std::string, std::string>, std::string> settings_;
};

// The folder of the running executable.
std::filesystem::path executableFolder();

}  // namespace burnlab
