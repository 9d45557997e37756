#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace burnlab {

// Result of writing a file: empty `error` means every byte reached the disk.
struct FileWriteResult {
  std::string error;  // the system's reason, ready to show to the operator
  bool ok() const { return error.empty(); }
};

// Writes `bytes` to `target` so that a failure never replaces a good file with a half-written
// one: the bytes go to a temporary file in the same folder, are flushed to the disk, and only
// then is the temporary file renamed over the target. On failure the temporary file is removed
// and the target is left exactly as it was.
//
// The save goes where the operator meant it to: a symbolic link is followed and stays a link; a
// replaced file keeps its permissions, and its owner and group where the system allows; a file
// with other hard links is rewritten in place (with its old bytes kept aside until the new ones
// are on the disk), so every name sees the new bytes. A device, FIFO, folder or socket at the
// target is refused and left untouched, as is a file the operator may not write.
FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace burnlab
