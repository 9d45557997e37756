#include "support/fake_platform.h"

#include <algorithm>

namespace burnlab::testing {
namespace {

// What `map` holds under `key`, or nothing.
template <typename Map>
std::optional<typename Map::mapped_type> valueAt(const Map& map,
                                                 const typename Map::key_type& key) {
  const auto found = map.find(key);
  if (found == map.end()) return std::nullopt;
  return found->second;
}

}  // namespace

std::optional<std::string> FakePlatform::setting(const std::string& section,
                                                 const std::string& key) {
  return valueAt(settings, {section, key});
}

void FakePlatform::setSetting(const std::string& section, const std::string& key,
                              const std::string& value) {
  settings[{section, key}] = value;
}

std::optional<std::filesystem::path> FakePlatform::findProgram(const std::string& name) {
  return valueAt(programsOnPath, name);
}

bool FakePlatform::startProgram(const std::filesystem::path& program) {
  if (std::ranges::find(failingPrograms, program) != failingPrograms.end()) return false;
  startedPrograms.push_back(program);
  return true;
}

}  // namespace burnlab::testing
