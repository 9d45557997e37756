#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace burnlab {

// An open file descriptor, closed when it goes out of scope unless it was closed before.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now; 0, or the errno value of a failed close (the last chance to hear of a failed
  // write on some file systems).
  int close();

 private:
  int fd_;
};

// Writes all of `bytes` at `offset`, retrying short writes and interrupted calls; 0, or the
// errno value of the failure.
int writeAllAt(int fd, std::string_view bytes, off_t offset);

// Creates a new file with a short unique name beside `target` (in its folder), for writing.
// `mode` is the permission the file is created with (the umask applies). Sets `path`; returns
// the descriptor, or minus the errno value.
int createTemporaryBeside(const std::filesystem::path& target, mode_t mode,
                          std::filesystem::path& path);

}  // namespace burnlab
