#include "util/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cstring>

namespace burnlab {

std::unique_ptr<FileLock> FileLock::take(const std::filesystem::path& lockFile,
                                         std::string& error) {
  const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) {
    error = "cannot open its lock file " + lockFile.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<FileLock> lock(new FileLock(fd));
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    error = errno == EWOULDBLOCK
                ? "it is in use by another program (" + lockFile.string() + " is locked)"
                : "cannot lock " + lockFile.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  return lock;
}

}  // namespace burnlab
