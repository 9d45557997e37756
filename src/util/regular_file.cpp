#include "util/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace burnlab {

int openRegularFile(const std::filesystem::path& file, std::string& error) {
  // Without O_NONBLOCK the open itself of a FIFO waits for a writer, before any check can run.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    error = std::strerror(errno);
    return -1;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    error = std::strerror(errno);
  } else if (S_ISDIR(status.st_mode)) {
    error = std::strerror(EISDIR);
  } else if (!S_ISREG(status.st_mode)) {
    // A device or pipe has no length to check against and may never end.
    error = "Not a regular file";
  } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    error = std::strerror(errno);
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

}  // namespace burnlab
