#include "launch/trace_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <streambuf>
#include <vector>

namespace burnlab {
namespace {

// The signals that end a run from outside and can still be caught (ProgramSignals answers them).
constexpr std::array<int, 4> kEndingSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Large pieces: a few write calls per chip read instead of one per port access.
constexpr std::size_t kPieceSize = 64 * 1024;

// Writes all bytes, as far as the file takes them; 0 or the errno value. Async-signal-safe.
int writeAll(int fd, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = ::write(fd, bytes, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return 0;
}

}  // namespace

// Gathers the characters the stream is given. Only whole lines count as traced: a signal
// handler writes out what lies between `written_` (already in the file) and `committed_` (the
// end of the last whole line), and the two indexes are changed only with those signals blocked
// or in an order that keeps them true for the handler at every instant.
class TraceFile::LineBuffer final : public std::streambuf {
 public:
  explicit LineBuffer(int fd) : fd_(fd), bytes_(kPieceSize) {}
  ~LineBuffer() override {
    if (fd_ >= 0) ::close(fd_);
  }

  std::string finish() {
    if (fd_ < 0) return failure_;
    committed_.store(filled_, std::memory_order_relaxed);  // a last line without its end counts
    writeOut();
    if (::close(fd_) != 0 && failure_.empty()) failure_ = std::strerror(errno);
    fd_ = -1;
    return failure_;
  }

  // What the signal handler runs: every whole line not yet in the file goes there now.
  void writeOutForSignal() {
    std::atomic_signal_fence(std::memory_order_acquire);
    const std::size_t from = written_.load(std::memory_order_relaxed);
    const std::size_t to = committed_.load(std::memory_order_relaxed);
    if (fd_ < 0 || !failure_.empty() || to <= from) return;
    writeAll(fd_, bytes_.data() + from, to - from);
    written_.store(to, std::memory_order_relaxed);
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char character = traits_type::to_char_type(c);
    append(&character, 1);
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    append(text, static_cast<std::size_t>(count));
    return count;
  }

 private:
  void append(const char* text, std::size_t count) {
    while (count > 0) {
      if (filled_ == bytes_.size()) makeRoom();
      const std::size_t taken = std::min(count, bytes_.size() - filled_);
      std::memcpy(bytes_.data() + filled_, text, taken);
      filled_ += taken;
      // The bytes are in place before the handler may see them as part of a whole line.
      std::atomic_signal_fence(std::memory_order_release);
      for (std::size_t end = filled_; end > filled_ - taken; --end) {
        if (bytes_[end - 1] == '\n') {
          committed_.store(end, std::memory_order_relaxed);
          break;
        }
      }
      text += taken;
      count -= taken;
    }
  }

  // A full buffer: its whole lines go to the file and the start of the next line moves to the
  // front. (A "line" as long as the whole buffer is written out as it is.)
  void makeRoom() {
    if (committed_.load(std::memory_order_relaxed) == 0) {
      committed_.store(filled_, std::memory_order_relaxed);
    }
    writeOut();
  }

  // Writes out the whole lines not yet in the file, with the ending signals held back meanwhile
  // so that the handler never writes them a second time.
  void writeOut() {
    sigset_t ending, previous;
    sigemptyset(&ending);
    for (const int signal : kEndingSignals) sigaddset(&ending, signal);
    ::pthread_sigmask(SIG_BLOCK, &ending, &previous);
    const std::size_t from = written_.load(std::memory_order_relaxed);
    const std::size_t to = committed_.load(std::memory_order_relaxed);
    if (failure_.empty() && to > from) {
      if (const int error = writeAll(fd_, bytes_.data() + from, to - from)) {
        failure_ = std::strerror(error);  // the rest is dropped: the trace stays cut here
      }
    }
    std::memmove(bytes_.data(), bytes_.data() + to, filled_ - to);
    filled_ -= to;
    written_.store(0, std::memory_order_relaxed);
    committed_.store(0, std::memory_order_relaxed);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  }

  int fd_;
  std::vector<char> bytes_;
  std::size_t filled_ = 0;
  std::atomic<std::size_t> written_{0};
  std::atomic<std::size_t> committed_{0};
  std::string failure_;
};

namespace {

// The trace the signal handler writes out. A handler can reach nothing else.
std::atomic<TraceFile::LineBuffer*> activeTrace{nullptr};

}  // namespace

std::unique_ptr<TraceFile> TraceFile::create(const std::filesystem::path& file,
                                             std::string& error) {
  if (activeTrace.load() != nullptr) {
    error = "Only one trace file at a time";
    return nullptr;
  }
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = "Cannot write the trace file " + file.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<TraceFile>(new TraceFile(file, fd));
}

TraceFile::TraceFile(std::filesystem::path path, int fd)
    : path_(std::move(path)), buffer_(std::make_unique<LineBuffer>(fd)), stream_(buffer_.get()) {
  activeTrace.store(buffer_.get());
}

TraceFile::~TraceFile() {
  finish();
  activeTrace.store(nullptr);
}

void TraceFile::writeOutForSignal() noexcept {
  if (auto* trace = activeTrace.load()) trace->writeOutForSignal();
}

std::string TraceFile::finish() {
  return buffer_->finish();
}

}  // namespace burnlab
