#pragma once
// A limit on the size of the files the test process writes, as a full disk would set one.
#include <signal.h>
#include <sys/resource.h>

namespace burnlab::testing {

// Files may grow no longer than `limit` bytes while it lives: a longer write fails (EFBIG)
// instead of raising SIGXFSZ, as a full disk would make it fail.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previousSignal_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = previous_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previousSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  sighandler_t previousSignal_;
};

}  // namespace burnlab::testing
