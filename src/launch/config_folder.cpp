#include "launch/config_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "panel/std_platform.h"

namespace burnlab {
namespace {

// A base directory of the user's files, as the XDG base directory rules define it: the
// variable when it holds an absolute path, else `fallback` under the home directory.
std::filesystem::path userFolder(const char* variable, const char* fallback) {
  const char* set = std::getenv(variable);
  if (set && *set == '/') return set;
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / fallback;
  std::error_code error;
  return std::filesystem::temp_directory_path(error);
}

std::filesystem::path made(std::filesystem::path folder) {
  std::error_code ignored;  // a folder that cannot be made shows when a file is written there
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

// The files the program plays and opens, by which their folder is known.
bool holdsResources(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::exists(folder / "burnlab5.hlp", error) ||
         std::filesystem::exists(folder / "init.wav", error);
}

}  // namespace

std::filesystem::path resourceFolder(const std::filesystem::path& programFolder) {
  if (holdsResources(programFolder)) return programFolder;
  const auto installed = programFolder.parent_path() / BURNLAB_DATA_FOLDER / "burnlab";
  return holdsResources(installed) ? installed : programFolder;
}

ProgramFolders programFolders(const ProgramOptions& options,
                              const std::filesystem::path& programFolder,
                              bool programFolderWritable) {
  ProgramFolders folders;
  folders.resources = resourceFolder(programFolder);
  if (!programFolderWritable) {
    folders.portConfig = folders.setups =
        made(userFolder("XDG_CONFIG_HOME", ".config") / "burnlab");
  }
  if (options.simulate) {
    folders.portConfig =
        made(userFolder("XDG_STATE_HOME", ".local/state") / "burnlab" / "simulated");
  }
  return folders;
}

ProgramFolders programFolders(const ProgramOptions& options) {
  const auto folder = executableFolder();
  return programFolders(options, folder, ::access(folder.c_str(), W_OK | X_OK) == 0);
}

}  // namespace burnlab
