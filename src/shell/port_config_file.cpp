#include "shell/port_config_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "util/atomic_file.h"

namespace burnlab {
std::filesystem::path PortConfigFile::ConfigFileName() const {
  const auto folder = folder_.empty() ? platform_.programFolder() : folder_;
  return folder / kPortConfigFileName;
}

std::optional<PortConfig> PortConfigFile::read() {
  const auto file = ConfigFileName();
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    log_.LogLine(file.string() + " could not be read: " + std::strerror(errno));
    return std::nullopt;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    log_.LogLine(file.string() + " could not be read: " + std::strerror(errno));
    return std::nullopt;
  }
  return parsePortConfig(text);
}

void PortConfigFile::write(std::int16_t portBase, std::int16_t model) {
  const auto file = ConfigFileName();
  const auto written =
      writeFileAtomically(file, portConfigText(portBase, model, platform_.localTime()));
  if (!written.ok()) log_.LogLine(file.string() + " could not be written: " + written.error);
}

}  // namespace burnlab
