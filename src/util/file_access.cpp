#include "util/file_access.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace burnlab {

std::string whyTargetIsNotWritable(const std::filesystem::path& target) {
  std::error_code error;
  if (std::filesystem::is_directory(target, error)) return target.string() + " is a folder";
  const auto folder =
      target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
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
  std::error_code error;
  if (std::filesystem::is_directory(source, error)) return source.string() + " is a folder";
  const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return "cannot read " + source.string() + ": " + std::strerror(errno);
  ::close(fd);
  return "";
}

}  // namespace burnlab
