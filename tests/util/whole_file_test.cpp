#include "util/whole_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "support/byte_patterns.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

TEST(WholeFile, ReadsEveryByteValueAsItIs) {
  TempFolder folder;
  const auto bytes = everyByteValueBytes(300);
  const auto read = readWholeFile(folder.file("all.bin", bytes), 1'000'000);
  ASSERT_TRUE(read.read()) << read.error;
  EXPECT_EQ(read.bytes, bytes);
  EXPECT_EQ(read.length, bytes.size());
}

TEST(WholeFile, AFileOfExactlyTheLimitIsReadAndOneByteMoreIsRefusedUnread) {
  TempFolder folder;
  EXPECT_TRUE(readWholeFile(folder.file("fits.bin", std::string(8192, '\1')), 8192).read());
  const auto over = readWholeFile(folder.file("over.bin", std::string(8193, '\1')), 8192);
  EXPECT_EQ(over.outcome, FileRead::Outcome::TooLong);
  EXPECT_EQ(over.length, 8193u);
  EXPECT_TRUE(over.bytes.empty());
}

// An empty file, a missing one and a folder are opened end to end in OpenCode's tests, which
// see the system's reasons in the log.
TEST(WholeFile, ADeviceThatNeverEndsIsRefusedAsNoRegularFile) {
  const auto device = readWholeFile("/dev/zero", 100);
  EXPECT_EQ(device.outcome, FileRead::Outcome::Unreadable);
  EXPECT_EQ(device.error, "Not a regular file");
}

TEST(WholeFile, AFifoIsRefusedAtOnceInsteadOfWaitingForAWriter) {
  TempFolder folder;
  const auto fifo = folder.path() / "fifo.bin";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto reading = std::async(std::launch::async, [&] { return readWholeFile(fifo, 100); });
  const bool answered = reading.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
  EXPECT_TRUE(answered);
  // A writer lets an open that waits go on.
  while (reading.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  const auto read = reading.get();
  EXPECT_EQ(read.outcome, FileRead::Outcome::Unreadable);
  EXPECT_EQ(read.error, "Not a regular file");

  // A link to a regular file reads as that file.
  folder.file("real.bin", "\1\2\3");
  std::filesystem::create_symlink("real.bin", folder.path() / "to-real");
  EXPECT_EQ(readWholeFile(folder.path() / "to-real", 100).bytes,
            (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace burnlab::testing
