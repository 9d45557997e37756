// burnlab-cli show: the page on standard output exactly as the hex display holds it.
#include <gtest/gtest.h>

#include "buffers/hex_page.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

CliRun show(const TempFolder& folder, const std::string& arguments) {
  return runCli("--simulate show " + arguments, folder.path());
}

std::filesystem::path image(const TempFolder& folder, std::size_t length) {
  std::string bytes;
  for (std::size_t at = 0; at < length; ++at) bytes += static_cast<char>(at % 251);
  return folder.file("image.bin", bytes);
}

TEST(ShowCommand, PrintsTheCodePageAtTheScrollPositionWithItsCrLfLines) {
  TempFolder folder;
  const auto file = image(folder, 4096);
  const auto shown = show(folder, "-i " + file.string() + " --page 3");
  ASSERT_EQ(shown.status, 0) << shown.messages;

  std::vector<std::uint8_t> buffer(4096);
  for (std::size_t at = 0; at < buffer.size(); ++at)
    buffer[at] = static_cast<std::uint8_t>(at % 251);
  // The last line ends too: what the terminal prints next starts on a line of its own.
  EXPECT_EQ(shown.out, codePageText(buffer, 3) + "\r\n");
  EXPECT_NE(
      shown.messages.find("File " + file.string() + " - was read into Buffer. 4096 bytes long."),
      std::string::npos);
}

TEST(ShowCommand, PrintsTheDataPageWithItsHeading) {
  TempFolder folder;
  const auto shown = show(folder, "--data --page=63 -i " + image(folder, 8192).string());
  ASSERT_EQ(shown.status, 0) << shown.messages;
  EXPECT_EQ(shown.out.rfind(std::string(kDataPageHeading) + "\r\n\r\n001F80| ", 0), 0u);
}

TEST(ShowCommand, ARefusedFileOrPageExitsWithStatusTwoAndSaysWhy) {
  TempFolder folder;
  const auto missing = show(folder, "-i " + (folder.path() / "missing.bin").string());
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(missing.out.empty());
  EXPECT_NE(missing.messages.find("No such file or directory"), std::string::npos);

  expectRun(show(folder, "--data -i " + image(folder, 8193).string()), "--data", 2,
            {"Can't Open Data File Bigger than 8192 Bytes"});
  expectRun(show(folder, "--page 16 -i " + image(folder, 4096).string()), "--page 16", 2,
            {"page 16 is beyond the last page 15"});

  EXPECT_EQ(show(folder, "--page x -i a.bin").status, 2);
  EXPECT_EQ(show(folder, "").status, 2);
}

}  // namespace
}  // namespace burnlab::testing
