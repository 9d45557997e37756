#include "util/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/file_descriptor.h"
#include "util/in_place_rewrite.h"
#include "util/save_target.h"

namespace burnlab {
namespace {

// A new file gets the permissions any new file gets (the umask applies); a replaced one keeps
// its own, and its owner and group where the system lets us give them.
constexpr mode_t kNewFileMode = 0666;

int takeOverOwnerAndMode(int fd, const SaveTarget& target) {
  if (::fchown(fd, target.owner, target.group) != 0) {
    // Not allowed to give the file away: at least its group, where we belong to that group.
    [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), target.group);
  }
  // After the owner: a change of owner clears the set-user and set-group bits.
  return ::fchmod(fd, target.permissions) == 0 ? 0 : errno;
}

// Writes the bytes to a temporary file beside the target, flushes them to the disk and only
// then renames it over the target.
std::string replaceByRename(const SaveTarget& target, std::string_view bytes) {
  std::filesystem::path temporary;
  const int fd = createTemporaryBeside(target.path, target.exists ? 0600 : kNewFileMode, temporary);
  if (fd < 0) return std::strerror(-fd);
  FileDescriptor file(fd);
  int error = target.exists ? takeOverOwnerAndMode(file.get(), target) : 0;
  if (error == 0) error = writeAllAt(file.get(), bytes, 0);
  if (error == 0 && ::fsync(file.get()) != 0) error = errno;
  if (const int closed = file.close(); error == 0) error = closed;
  if (error == 0 && ::rename(temporary.c_str(), target.path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return std::strerror(error);
  }
  return {};
}

}  // namespace

FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  const auto where = findSaveTarget(target);
  if (!where.ok()) return {where.error};
  // A file the operator may not write is not replaced behind his back either.
  if (where.exists && ::faccessat(AT_FDCWD, where.path.c_str(), W_OK, AT_EACCESS) != 0) {
    return {std::strerror(errno)};
  }
  // Renaming over a file with other names would leave them with the old bytes.
  if (where.exists && where.links > 1) return {rewriteInPlace(where, bytes)};
  return {replaceByRename(where, bytes)};
}

}  // namespace burnlab
