#include "support/fake_platform.h"

namespace burnlab::testing {

std::optional<std::string> FakePlatform::setting(const std::string& section,
                                                 const std::string& key) {
  const auto found = settings.find({section, key});
  if (found == settings.end()) return std::nullopt;
  return found->second;
}

void FakePlatform::setSetting(const std::string& section, const std::string& key,
                              const std::string& value) {
  settings[{section, key}] = value;
}

std::optional<std::filesystem::path> FakePlatform::findProgram(const std::string& name) {
  const auto found = programsOnPath.find(name);
  if (found == programsOnPath.end()) return std::nullopt;
  return found->second;
}

bool FakePlatform::startProgram(const std::filesystem::path& program) {
  for (const auto& failing : failingPrograms) {
    if (failing == program) return false;
  }
  startedPrograms.push_back(program);
  return true;
}

}  // namespace burnlab::testing
