#include "shell/std_platform.h"

#include <chrono>
#include <ctime>
#include <system_error>
#include <thread>

namespace burnlab {
namespace {

std::string formatNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  const auto length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

}  // namespace

StdPlatform::StdPlatform(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {}

void StdPlatform::Sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string StdPlatform::timeText() { return formatNow("%H:%M:%S"); }

std::string StdPlatform::dateText() { return formatNow("%d/%m/%Y"); }

std::filesystem::path StdPlatform::workingFolder() {
  std::error_code error;
  auto folder = std::filesystem::current_path(error);
  return error ? std::filesystem::path(".") : folder;
}

std::optional<std::string> StdPlatform::setting(const std::string& section,
                                                const std::string& key) {
  const auto found = settings_.find({section, key});
  if (found == settings_.end()) return std::nullopt;
  return found->second;
}

void StdPlatform::setSetting(const std::string& section, const std::string& key,
                             const std::string& value) {
  settings_[{section, key}] = value;
}

std::filesystem::path executableFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace burnlab
