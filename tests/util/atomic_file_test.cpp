#include "util/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <fstream>

#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

std::size_t entriesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFile, ReplacesTheTargetWithExactlyTheBytesAndLeavesNoTemporary) {
  TempFolder folder;
  const auto target = folder.file("image.bin", "old and longer contents");
  const std::string bytes(
      "\x00\xFF\r\n"
      "abc",
      7);
  EXPECT_TRUE(writeFileAtomically(target, bytes).ok());
  EXPECT_EQ(readAll(target), bytes);
  EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, AFailedWriteReportsTheReasonAndKeepsWhatWasThere) {
  TempFolder folder;
  // The target is a folder: the rename over it fails after the bytes were written.
  const auto target = folder.path() / "BURNLAB.LOG";
  std::filesystem::create_directory(target);
  std::ofstream(target / "keep") << "kept";
  const auto result = writeFileAtomically(target, "new");
  EXPECT_FALSE(result.ok());
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(readAll(target / "keep"), "kept");
  EXPECT_EQ(entriesIn(folder.path()), 1u);

  // A folder that does not exist cannot take the temporary file.
  EXPECT_FALSE(writeFileAtomically(folder.path() / "missing" / "x.bin", "new").ok());
}

struct stat statusOf(const std::filesystem::path& file) {
  struct stat status {};
  EXPECT_EQ(::lstat(file.c_str(), &status), 0) << file;
  return status;
}

TEST(AtomicFile, WritesThroughSymbolicLinksWhichStayLinks) {
  TempFolder folder;
  const auto real = folder.file("real.bin", "old");
  // A relative link, and a link to that link.
  std::filesystem::create_symlink("real.bin", folder.path() / "link.bin");
  std::filesystem::create_symlink(folder.path() / "link.bin", folder.path() / "chain.bin");
  ASSERT_TRUE(writeFileAtomically(folder.path() / "chain.bin", "new").ok());
  EXPECT_EQ(readAll(real), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link.bin"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "chain.bin"));
  EXPECT_EQ(entriesIn(folder.path()), 3u);

  // A link to a file not yet there names the file to create.
  std::filesystem::create_symlink("later.bin", folder.path() / "dangling.bin");
  ASSERT_TRUE(writeFileAtomically(folder.path() / "dangling.bin", "made").ok());
  EXPECT_EQ(readAll(folder.path() / "later.bin"), "made");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "dangling.bin"));

  // A loop of links goes nowhere.
  std::filesystem::create_symlink("loop2", folder.path() / "loop1");
  std::filesystem::create_symlink("loop1", folder.path() / "loop2");
  EXPECT_FALSE(writeFileAtomically(folder.path() / "loop1", "x").ok());
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissionsOwnerAndGroup) {
  TempFolder folder;
  const auto secret = folder.file("secret.bin", "old");
  ::chmod(secret.c_str(), 0600);
  ASSERT_TRUE(writeFileAtomically(secret, "new").ok());
  EXPECT_EQ(statusOf(secret).st_mode & 07777, 0600u);

  ::chmod(secret.c_str(), 0751);
  ASSERT_TRUE(writeFileAtomically(secret, "newer").ok());
  EXPECT_EQ(statusOf(secret).st_mode & 07777, 0751u);

  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(secret.c_str(), 4321, 8765), 0);
    ASSERT_TRUE(writeFileAtomically(secret, "theirs").ok());
    EXPECT_EQ(statusOf(secret).st_uid, 4321u);
    EXPECT_EQ(statusOf(secret).st_gid, 8765u);
  }

  // A new file gets what any new file gets: 0666 less the umask.
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(writeFileAtomically(folder.path() / "fresh.bin", "x").ok());
  ::umask(mask);
  EXPECT_EQ(statusOf(folder.path() / "fresh.bin").st_mode & 07777, 0644u);
}

// For an operator who may not write them, a read-only file is not replaced, nor is a file in
// a read-only folder.
TEST(AtomicFile, AReadOnlyFileOrFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write read-only files and folders";
  TempFolder folder;
  const auto target = folder.file("kept.bin", "good");
  ::chmod(target.c_str(), 0444);
  EXPECT_FALSE(writeFileAtomically(target, "bad").ok());
  ::chmod(target.c_str(), 0644);
  std::filesystem::permissions(
      folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_FALSE(writeFileAtomically(target, "bad").ok());
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(readAll(target), "good");
}

TEST(AtomicFile, ATargetThatIsNoRegularFileIsRefusedAndLeftAsItIs) {
  TempFolder folder;
  const auto fifo = folder.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto socketPath = folder.path() / "sock";
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  std::vector<std::filesystem::path> nodes{fifo, socketPath};
  if (::geteuid() == 0) {
    // A character device like /dev/null, in a folder of our own.
    const auto device = folder.path() / "null";
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    nodes.push_back(device);
  }
  // And a link to the FIFO: the link is followed, and what it names is refused.
  std::filesystem::create_symlink("fifo", folder.path() / "to-fifo");
  nodes.push_back(folder.path() / "to-fifo");
  const auto entries = entriesIn(folder.path());

  for (const auto& node : nodes) {
    const auto before = statusOf(node);
    const auto result = writeFileAtomically(node, std::string(32768, 'x'));
    EXPECT_FALSE(result.ok()) << node;
    EXPECT_NE(result.error.find("not a regular file"), std::string::npos) << result.error;
    const auto after = statusOf(node);
    EXPECT_EQ(after.st_mode, before.st_mode) << node;
    EXPECT_EQ(after.st_ino, before.st_ino) << node;
    EXPECT_EQ(after.st_rdev, before.st_rdev) << node;
  }
  ::close(sock);
  EXPECT_EQ(entriesIn(folder.path()), entries);  // no temporary left behind
}

TEST(AtomicFile, EveryHardLinkSeesTheNewBytesAndAWriteThatFailsHalfWayKeepsTheOld) {
  TempFolder folder;
  const auto single = folder.file("single.bin", "good");
  const auto linked = folder.file("linked.bin", "old contents, longer than the new");
  const auto other = folder.path() / "other-name.bin";
  std::filesystem::create_hard_link(linked, other);
  ASSERT_TRUE(writeFileAtomically(linked, "good and linked").ok());
  EXPECT_EQ(readAll(other), "good and linked");
  EXPECT_EQ(statusOf(linked).st_ino, statusOf(other).st_ino);
  {
    const FileSizeLimit limit(100);
    EXPECT_FALSE(writeFileAtomically(single, std::string(200, 'x')).ok());
    EXPECT_FALSE(writeFileAtomically(linked, std::string(200, 'x')).ok());
  }
  EXPECT_EQ(readAll(single), "good");
  EXPECT_EQ(readAll(linked), "good and linked");
  EXPECT_EQ(readAll(other), "good and linked");
  EXPECT_EQ(entriesIn(folder.path()), 3u);  // no temporary left by either write
}

TEST(AtomicFile, AFileNameAsLongAsTheFileSystemAllowsIsSaved) {
  TempFolder folder;
  for (const std::size_t length : {254u, 255u}) {
    const auto target = folder.path() / std::string(length, 'n');
    const auto result = writeFileAtomically(target, "long");
    EXPECT_TRUE(result.ok()) << length << ": " << result.error;
    EXPECT_EQ(readAll(target), "long");
  }
}

}  // namespace
}  // namespace burnlab::testing
