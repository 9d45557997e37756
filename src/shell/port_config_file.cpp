#include "shell/port_config_file.h"

#include <string>
#include <system_error>

#include "util/atomic_file.h"
#include "util/whole_file.h"

namespace burnlab {
namespace {

// The file holds four short lines; one far longer is not a port configuration, and is not
// read into memory whole.
constexpr std::uintmax_t kPortConfigFileLimit = 64 * 1024;

}  // namespace

std::filesystem::path PortConfigFile::ConfigFileName() const {
  const auto folder = folder_.empty() ? platform_.programFolder() : folder_;
  return folder / kPortConfigFileName;
}

std::optional<PortConfig> PortConfigFile::read() {
  const auto file = ConfigFileName();
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return std::nullopt;
  const auto read = readWholeFile(file, kPortConfigFileLimit);
  if (read.outcome == FileRead::Outcome::TooLong) {
    log_.LogLine(file.string() + " could not be read: it is " + std::to_string(read.length) +
                 " bytes long, too long for a port configuration");
    return std::nullopt;
  }
  if (!read.read()) {
    log_.LogLine(file.string() + " could not be read: " + read.error);
    return std::nullopt;
  }
  return parsePortConfig({reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()});
}

void PortConfigFile::write(std::int16_t portBase, std::int16_t model) {
  const auto file = ConfigFileName();
  const auto written =
      writeFileAtomically(file, portConfigText(portBase, model, platform_.localTime()));
  if (!written.ok()) log_.LogLine(file.string() + " could not be written: " + written.error);
}

}  // namespace burnlab
