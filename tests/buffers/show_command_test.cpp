// burnlab-cli show: the page on standard output exactly as the hex display holds it, the
// loading's log lines beside it, and the files and pages it refuses.
#include <gtest/gtest.h>

#include "buffers/hex_page.h"
#include "support/byte_patterns.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

CliRun show(const TempFolder& folder, const std::string& arguments) {
  return runCli("--simulate show " + arguments, folder.path());
}

// `length` bytes that count from 0 to 250 and start again.
std::string countingBytes(std::size_t length) {
  std::string bytes;
  for (std::size_t at = 0; at < length; ++at) bytes += static_cast<char>(at % 251);
  return bytes;
}

std::filesystem::path image(const TempFolder& folder, std::size_t length) {
  return folder.file("image.bin", countingBytes(length));
}

TEST(ShowCommand, PrintsTheCodePageAtTheScrollPositionWithItsCrLfLinesAndTheLoadingOnce) {
  TempFolder folder;
  const auto file = image(folder, 4096);
  const auto shown = show(folder, "-i " + file.string() + " --page 3");
  ASSERT_EQ(shown.status, 0) << shown.messages;

  // The last line ends too: what the terminal prints next starts on a line of its own.
  const auto page = codePageText(asBytes(countingBytes(4096)), 3) + "\r\n";
  EXPECT_EQ(shown.out, page);
  EXPECT_EQ(countOf(shown.output(), "was read into Buffer"), 1u) << shown.output();
  EXPECT_TRUE(
      printed(shown, "File " + file.string() + " - was read into Buffer. 4096 bytes long."));

  // Quiet, it prints the page alone.
  const auto quiet = show(folder, "-q -i " + file.string() + " --page 3");
  EXPECT_EQ(quiet.out, page);
  EXPECT_FALSE(printed(quiet, ">  ")) << quiet.output();
}

TEST(ShowCommand, PrintsTheDataPageWithItsHeading) {
  TempFolder folder;
  const auto shown = show(folder, "--data --page=63 -i " + image(folder, 8192).string());
  ASSERT_EQ(shown.status, 0) << shown.messages;
  EXPECT_EQ(shown.out.rfind(std::string(kDataPageHeading) + "\r\n\r\n001F80| ", 0), 0u);
}

// A file that is missing or a folder, a page that is no number and a show without -i are
// refused in CliCommandLine's tests, before anything runs.
TEST(ShowCommand, AFileOrPageTheBufferCannotShowExitsWithStatusTwoAndSaysWhy) {
  TempFolder folder;
  const auto tooLong = show(folder, "--data -i " + image(folder, 8193).string());
  expectRun(tooLong, "--data", 2, {"Can't Open Data File Bigger than 8192 Bytes"});
  EXPECT_TRUE(tooLong.out.empty());
  expectRun(show(folder, "--page 16 -i " + image(folder, 4096).string()), "--page 16", 2,
            {"page 16 is beyond the last page 15"});
}

}  // namespace
}  // namespace burnlab::testing
