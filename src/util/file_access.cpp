#include "util/file_access.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/regular_file.h"
#include "util/save_target.h"

namespace burnlab {

std::string whyTargetIsNotWritable(const std::filesystem::path& target) {
  if (target.empty()) return "the file name is empty";
  std::error_code error;
  if (std::filesystem::is_directory(target, error)) return target.string() + " is a folder";
  // Where the bytes would go: a link is followed to its file, and only a regular file (or none
  // yet) may be written.
  const auto where = findSaveTarget(target);
  if (!where.ok()) return target.string() + ": " + where.error;
  const auto folder =
      where.path.parent_path().empty() ? std::filesystem::path(".") : where.path.parent_path();
  if (!std::filesystem::exists(folder, error)) {
    return "the folder " + folder.string() + " does not exist";
  }
  if (!std::filesystem::is_directory(folder, error)) return folder.string() + " is not a folder";
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    return "cannot write into " + folder.string() + ": " + std::strerror(errno);
  }
  return "";
}

std::string whyFileIsNotReadable(const std::filesystem::path& source) {
  if (source.empty()) return "the file name is empty";
  std::error_code error;
  if (std::filesystem::is_directory(source, error)) return source.string() + " is a folder";
  // Opened as the read opens it: a FIFO or device is refused without waiting on it.
  std::string reason;
  const int fd = openRegularFile(source, reason);
  if (fd < 0) return "cannot read " + source.string() + ": " + reason;
  ::close(fd);
  return "";
}

}  // namespace burnlab
