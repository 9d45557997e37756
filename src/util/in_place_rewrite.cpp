#include "util/in_place_rewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "util/file_descriptor.h"

namespace burnlab {
namespace {

// Copies everything `from` holds over the start of `to` and cuts `to` to that length, then
// flushes `to` to the disk; 0, or the errno value of the failure.
int copyContents(int from, int to) {
  std::array<char, 65536> chunk{};
  off_t offset = 0;
  for (;;) {
    const ssize_t got = ::pread(from, chunk.data(), chunk.size(), offset);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) break;
    if (const int error = writeAllAt(to, {chunk.data(), static_cast<std::size_t>(got)}, offset)) {
      return error;
    }
    offset += got;
  }
  if (::ftruncate(to, offset) != 0 || ::fsync(to) != 0) return errno;
  return 0;
}

int replaceContents(int fd, std::string_view bytes) {
  if (const int error = writeAllAt(fd, bytes, 0)) return error;
  if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0) return errno;
  return 0;
}

}  // namespace

std::string rewriteInPlace(const SaveTarget& target, std::string_view bytes) {
  FileDescriptor file(::open(target.path.c_str(), O_RDWR | O_CLOEXEC));
  if (!file.valid()) return std::strerror(errno);

  std::filesystem::path backupPath;
  const int backupFd = createTemporaryBeside(target.path, 0600, backupPath);
  if (backupFd < 0) return std::strerror(-backupFd);
  FileDescriptor backup(backupFd);
  if (const int error = copyContents(file.get(), backup.get())) {
    ::unlink(backupPath.c_str());
    return std::strerror(error);
  }

  const int failure = replaceContents(file.get(), bytes);
  if (failure == 0) {
    ::unlink(backupPath.c_str());
    return {};
  }
  // Put the old bytes back from the copy (reopened for reading).
  FileDescriptor saved(::open(backupPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (saved.valid() && copyContents(saved.get(), file.get()) == 0) {
    ::unlink(backupPath.c_str());
    return std::strerror(failure);
  }
  return std::string(std::strerror(failure)) + "; the old contents are kept in " +
         backupPath.string();
}

}  // namespace burnlab
