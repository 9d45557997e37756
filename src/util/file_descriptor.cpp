#include "util/file_descriptor.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace burnlab {
namespace {

// Unlikely to meet a name already there; a clash just draws another.
constexpr int kNameAttempts = 100;

std::string temporaryName() {
  static thread_local std::mt19937 draw{std::random_device{}()};
  char name[32];
  std::snprintf(name, sizeof name, ".burnlab-%08x", static_cast<unsigned>(draw()));
  return name;
}

}  // namespace

int FileDescriptor::close() {
  if (fd_ < 0) return 0;
  const int result = ::close(fd_);
  fd_ = -1;
  return result == 0 ? 0 : errno;
}

int writeAllAt(int fd, std::string_view bytes, off_t offset) {
  const char* next = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::pwrite(fd, next, left, offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    next += written;
    offset += written;
    left -= static_cast<std::size_t>(written);
  }
  return 0;
}

int createTemporaryBeside(const std::filesystem::path& target, mode_t mode,
                          std::filesystem::path& path) {
  // A short name of its own, not one made longer from the target's: a target whose name is as
  // long as the file system allows can still be saved.
  const auto folder = target.parent_path();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    path = folder / temporaryName();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
    if (errno != EEXIST) return -errno;
  }
  return -EEXIST;
}

}  // namespace burnlab
