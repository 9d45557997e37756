#include "util/save_target.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace burnlab {
namespace {

// As many links as the kernel follows in one path before it gives up.
constexpr int kMaxLinkHops = 40;

std::string kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

SaveTarget refused(std::filesystem::path path, std::string reason) {
  SaveTarget target;
  target.path = std::move(path);
  target.error = std::move(reason);
  return target;
}

SaveTarget existing(std::filesystem::path path, const struct stat& status) {
  SaveTarget target;
  target.path = std::move(path);
  target.exists = true;
  target.permissions = status.st_mode & 07777;
  target.owner = status.st_uid;
  target.group = status.st_gid;
  target.links = status.st_nlink;
  return target;
}

}  // namespace

SaveTarget findSaveTarget(const std::filesystem::path& named) {
  std::filesystem::path path = named;
  for (int hop = 0;; ++hop) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno != ENOENT) return refused(path, std::strerror(errno));
      SaveTarget fresh;  // nothing there yet: the save creates it
      fresh.path = path;
      return fresh;
    }
    if (S_ISREG(status.st_mode)) return existing(path, status);
    if (!S_ISLNK(status.st_mode)) {
      return refused(path, "it is " + kindOf(status.st_mode) + ", not a regular file");
    }
    if (hop == kMaxLinkHops) return refused(path, std::strerror(ELOOP));
    std::error_code error;
    const auto next = std::filesystem::read_symlink(path, error);
    if (error) return refused(path, error.message());
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
}

}  // namespace burnlab
