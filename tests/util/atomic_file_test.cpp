#include "util/atomic_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::size_t entriesIn(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(AtomicFile, ReplacesTheTargetWithExactlyTheBytesAndLeavesNoTemporary) {
  TempFolder folder;
  const auto target = folder.path() / "image.bin";
  std::ofstream(target) << "old and longer contents";
  const std::string bytes("\x00\xFF\r\n" "abc", 7);
  EXPECT_TRUE(writeFileAtomically(target, bytes).ok());
  EXPECT_EQ(contents(target), bytes);
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
  EXPECT_EQ(contents(target / "keep"), "kept");
  EXPECT_EQ(entriesIn(folder.path()), 1u);

  // A folder that does not exist cannot take the temporary file.
  EXPECT_FALSE(writeFileAtomically(folder.path() / "missing" / "x.bin", "new").ok());
}

TEST(AtomicFile, AReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempFolder folder;
  const auto target = folder.path() / "image.bin";
  std::ofstream(target) << "good";
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
  EXPECT_FALSE(writeFileAtomically(target, "bad").ok());
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(contents(target), "good");
}

}  // namespace
}  // namespace burnlab::testing
