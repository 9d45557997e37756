#pragma once

#include <filesystem>
#include <string>

namespace burnlab {

// Opens `file` for reading when it is a regular file (or a link to one), without ever waiting:
// opening a FIFO that has no writer, or some devices, would block until another program came
// along. Returns the descriptor (in blocking mode, ready for plain reads), or -1 with `error`
// set to the reason ("Is a directory", "Not a regular file", or the system's reason).
int openRegularFile(const std::filesystem::path& file, std::string& error);

}  // namespace burnlab
