#include "util/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace burnlab {
namespace {

std::string reasonFromErrno(int error) {
  return std::strerror(error);
}

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
  std::random_device entropy;
  const auto tag = std::to_string(entropy()) + std::to_string(::getpid());
  // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on string concatenation.
  std::string name = ".";
  name += target.filename().string();
  name += ".tmp";
  name += tag;
  return target.parent_path() / name;
}

// Writes all bytes, retrying short writes and interrupted calls.
bool writeAll(int fd, std::string_view bytes, int& error) {
  const char* next = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, next, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    next += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  const auto temporary = temporaryBeside(target);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return {reasonFromErrno(errno)};

  int error = 0;
  bool written = writeAll(fd, bytes, error);
  if (written && ::fsync(fd) != 0) {
    error = errno;
    written = false;
  }
  if (::close(fd) != 0 && written) {
    error = errno;
    written = false;
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    written = false;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return {reasonFromErrno(error)};
  }
  return {};
}

}  // namespace burnlab
