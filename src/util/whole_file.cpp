#include "util/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "util/regular_file.h"

namespace burnlab {
namespace {

FileRead unreadable(std::string reason) {
  FileRead result;
  result.outcome = FileRead::Outcome::Unreadable;
  result.error = std::move(reason);
  return result;
}

FileRead unreadable(int error) {
  return unreadable(std::string(std::strerror(error)));
}

FileRead tooLong(std::uintmax_t length) {
  FileRead result;
  result.outcome = FileRead::Outcome::TooLong;
  result.length = length;
  return result;
}

// A regular file opened for reading (a FIFO or device is refused without waiting on it);
// closes the descriptor however the read ends.
class OpenFile {
 public:
  explicit OpenFile(const std::filesystem::path& file) : fd_(openRegularFile(file, error_)) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd() const { return fd_; }
  const std::string& error() const { return error_; }

 private:
  std::string error_;
  int fd_;
};

constexpr std::size_t kReadStep = 65536;

// Reads until the end of the file, at most `limit` bytes, into `bytes` (already as long as the
// file is said to be); false with `error` set on a failure.
bool readUpTo(int fd, std::size_t limit, std::vector<std::uint8_t>& bytes, int& error) {
  std::size_t filled = 0;
  while (filled < limit) {
    // Room to find the end of the file, or more bytes than were stated.
    if (bytes.size() == filled) bytes.resize(std::min(limit, filled + kReadStep));
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

}  // namespace

FileRead readWholeFile(const std::filesystem::path& file, std::uintmax_t maxLength,
                       std::vector<std::uint8_t> scratch) {
  const OpenFile opened(file);
  if (opened.fd() < 0) return unreadable(opened.error());
  struct stat status {};
  if (::fstat(opened.fd(), &status) != 0) return unreadable(errno);

  const auto statedLength = static_cast<std::uintmax_t>(status.st_size);
  if (statedLength > maxLength) return tooLong(statedLength);

  // The file may grow while it is read: one byte past the limit shows that it did.
  FileRead result;
  result.bytes = std::move(scratch);
  result.bytes.resize(static_cast<std::size_t>(statedLength));
  int error = 0;
  if (!readUpTo(opened.fd(), static_cast<std::size_t>(maxLength) + 1, result.bytes, error)) {
    return unreadable(error);
  }
  result.length = result.bytes.size();
  if (result.length > maxLength) return tooLong(result.length);
  result.outcome = FileRead::Outcome::Read;
  return result;
}

}  // namespace burnlab
