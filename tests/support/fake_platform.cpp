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

}  // namespace burnlab::testing
