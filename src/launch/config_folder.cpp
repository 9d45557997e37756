#include "launch/config_folder.h"

#include <cstdlib>
#include <system_error>

namespace burnlab {
namespace {

// The base of the user's state files, as the XDG base directory rules define it.
std::filesystem::path stateHome() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state == '/') return state;
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / ".local" / "state";
  std::error_code error;
  return std::filesystem::temp_directory_path(error);
}

}  // namespace

std::filesystem::path portConfigFolder(const ProgramOptions& options) {
  if (!options.simulate) return {};
  const auto folder = stateHome() / "burnlab" / "simulated";
  std::error_code ignored;  // a folder that cannot be made shows when the file is written
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

}  // namespace burnlab
