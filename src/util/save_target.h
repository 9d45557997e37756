#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace burnlab {

// The file a save really writes: the path the operator named with its symbolic links followed
// to the end, and what stands there now.
struct SaveTarget {
  std::filesystem::path path;  // where the bytes go; the links on the way stay as they are
  bool exists = false;         // a regular file is there (anything else is refused)
  mode_t permissions = 0;      // its permission bits, when it exists
  uid_t owner = 0;
  gid_t group = 0;
  nlink_t links = 0;  // how many names the file has
  std::string error;  // why nothing may be written there; empty when a save may go ahead
  bool ok() const { return error.empty(); }
};

// Follows `named` through its symbolic links (a link to a missing file names that file) and
// looks at what is there. Only a regular file, or nothing at all, may be saved over: a device,
// FIFO, directory or socket is refused with a reason, and left untouched.
SaveTarget findSaveTarget(const std::filesystem::path& named);

}  // namespace burnlab
