#include "panel/std_platform.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <system_error>
#include <thread>

namespace burnlab {
namespace {

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string formatNow(const char* format) {
  const std::tm local = localNow();
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

std::uint64_t StdPlatform::monotonicNs() {
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(sinceStart).count());
}

void StdPlatform::spinUntilNs(std::uint64_t deadlineNs) {
  while (monotonicNs() < deadlineNs) {
  }
}

std::string StdPlatform::timeText() {
  return formatNow("%H:%M:%S");
}

std::string StdPlatform::dateText() {
  return formatNow("%d/%m/%Y");
}

std::tm StdPlatform::localTime() {
  return localNow();
}

std::filesystem::path StdPlatform::workingFolder() {
  std::error_code error;
  auto folder = std::filesystem::current_path(error);
  return error ? std::filesystem::path(".") : folder;
}

std::filesystem::path StdPlatform::resourceFolder() {
  return resourceFolder_.empty() ? programFolder() : resourceFolder_;
}

std::filesystem::path StdPlatform::setupFolder() {
  return setupFolder_.empty() ? workingFolder() : setupFolder_;
}

void StdPlatform::useFolders(std::filesystem::path resources, std::filesystem::path setups) {
  resourceFolder_ = std::move(resources);
  setupFolder_ = std::move(setups);
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

std::optional<std::filesystem::path> StdPlatform::findProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  std::istringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const auto candidate = std::filesystem::path(folder) / name;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return std::nullopt;
}

bool StdPlatform::startProgram(const std::filesystem::path& program) {
  if (::access(program.c_str(), X_OK) != 0) return false;
  // Everything the children need is made before forking: after fork only calls that are safe
  // in a copy of a threaded process run.
  const std::string name = program.string();
  char* const arguments[] = {const_cast<char*>(name.c_str()), nullptr};
  // Fork twice so that the started program belongs to no one here and leaves no zombie.
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::setsid();
    if (::fork() == 0) ::execv(name.c_str(), arguments);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return true;
}

std::filesystem::path executableFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace burnlab
