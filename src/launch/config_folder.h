#pragma once

#include <filesystem>

#include "launch/program_options.h"

namespace burnlab {

// Where the running program finds its files and keeps its own.
struct ProgramFolders {
  // The wave files and the help document: the program's own folder when they are there (a
  // build), else PREFIX/share/burnlab beside the PREFIX/bin the program was installed into.
  std::filesystem::path resources;
  // burnlab6.ini; empty: the program's folder.
  std::filesystem::path portConfig;
  // The setup slots BLSetup1.INI .. BLSetup4.INI; empty: the working folder.
  std::filesystem::path setups;
};

// The folders for a run with these options of the program in `programFolder`:
// - A simulated board keeps its own burnlab6.ini under the user's state directory
//   ($XDG_STATE_HOME/burnlab/simulated, by default ~/.local/state/burnlab/simulated), so that
//   simulating never changes what a start on the real board reads.
// - A real board's burnlab6.ini stays in the program's folder, and the setup slots in the
//   working folder, while the program's folder can be written to; an installed program's
//   folder cannot, and both then go to the user's configuration directory
//   ($XDG_CONFIG_HOME/burnlab, by default ~/.config/burnlab).
// The folders under the user's directories are created when missing; when that fails, writing
// a file there later reports why.
ProgramFolders programFolders(const ProgramOptions& options,
                              const std::filesystem::path& programFolder,
                              bool programFolderWritable);

// The same for the running executable, its folder's writability tried.
ProgramFolders programFolders(const ProgramOptions& options);

// Where the wave files and the help document are for a program in `programFolder`.
std::filesystem::path resourceFolder(const std::filesystem::path& programFolder);

}  // namespace burnlab
