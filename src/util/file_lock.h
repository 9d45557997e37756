#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "util/file_descriptor.h"

namespace burnlab {

// An exclusive lock on a lock file, held while the object lives and released when it goes (or
// when the process ends, however it ends). The lock file is created when it is missing and never
// removed: removing it would let a second program lock a new file of the same name while a
// first still holds the old one.
class FileLock {
 public:
  // Takes the lock without waiting. Nothing, with `error` set, when another program holds it
  // ("it is in use by another program") or the lock file cannot be opened or created.
  static std::unique_ptr<FileLock> take(const std::filesystem::path& lockFile, std::string& error);

 private:
  explicit FileLock(int fd) : file_(fd) {}
  FileDescriptor file_;
};

}  // namespace burnlab
