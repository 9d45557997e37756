#pragma once

#include <filesystem>
#include <string>

namespace burnlab {

// Files a command will read or write, looked at before the command does any work for them.

// Why a file could not be written at `target`, asked before any work is done for it: no name, its
// folder is missing or not a folder, the folder cannot be written to, or `target` is a folder
// or another file that is no regular file (a device, FIFO or socket; links are followed).
// Empty when writing there can be tried. (The file is written beside itself first and then
// renamed, so the folder must take a new file even when `target` exists.)
std::string whyTargetIsNotWritable(const std::filesystem::path& target);

// Why the file at `source` could not be read: it is missing, it is a folder, it is no regular
// file (a FIFO or device, looked at without waiting on it), or it may not be opened. Empty when
// it can be opened for reading.
std::string whyFileIsNotReadable(const std::filesystem::path& source);

}  // namespace burnlab
