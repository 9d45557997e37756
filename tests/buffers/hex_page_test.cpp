#include "buffers/hex_page.h"

#include <gtest/gtest.h>

#include <vector>

namespace burnlab::testing {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(HexPage, AnErasedCodePageShowsSixteenLinesOfFFAndDots) {
  const std::vector<std::uint8_t> erased(4096, 0xFF);
  const auto lines = linesOf(codePageText(erased, 0));
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "");  // the page starts with CR LF
  EXPECT_EQ(lines[1], "000000| FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF | ................");
  EXPECT_EQ(lines[16], "0000F0| FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF | ................");
  for (std::size_t line = 1; line < lines.size(); ++line) EXPECT_EQ(lines[line].size(), 62u);
}

TEST(HexPage, BytesAreTwoUpperCaseDigitsInGroupsOfFour) {
  std::vector<std::uint8_t> buffer(256);
  for (int index = 0; index < 16; ++index)
    buffer[16 + index] = static_cast<std::uint8_t>(index * 0x11);
  buffer[32] = 0x0A;
  const auto lines = linesOf(codePageText(buffer, 0));
  EXPECT_EQ(lines[2].substr(0, 46), "000010| 00112233 44556677 8899AABB CCDDEEFF | ");
  EXPECT_EQ(lines[3].substr(8, 9), "0A000000 ");
}

TEST(HexPage, TheCharacterColumnShowsOnlyThePrintableSet) {
  std::vector<std::uint8_t> buffer(256, 0);
  const std::uint8_t sample[] = {0x41, 0x20, 0x7E, 0x22, 0x5C, 0x60, 0x7B, 0x00, 0xC4, 0x30};
  std::copy(std::begin(sample), std::end(sample), buffer.begin());
  const auto lines = linesOf(codePageText(buffer, 0));
  EXPECT_EQ(lines[1].substr(46), "A...\\.{..0......");
  // Not printable: blank, tilde, double quote, back quote, the controls, everything from 80h.
}

TEST(HexPage, ThePrintableSetIsTheNinetyOneCharactersAndNothingElse) {
  EXPECT_EQ(PrintableChars.size(), 91u);
  int shownAsThemselves = 0;
  for (int code = 0; code < 256; ++code) {
    const char shown = displayCharacter(static_cast<std::uint8_t>(code));
    if (shown != '.' || code == '.') {
      EXPECT_EQ(shown, static_cast<char>(code));
      EXPECT_NE(PrintableChars.find(static_cast<char>(code)), std::string_view::npos) << code;
      ++shownAsThemselves;
    }
  }
  EXPECT_EQ(shownAsThemselves, 91);
}

TEST(HexPage, CodeAndDataPagesStartAtTheirOwnPageSize) {
  std::vector<std::uint8_t> buffer(8192, 0x55);
  const auto code = linesOf(codePageText(buffer, 3));
  EXPECT_EQ(code[1].substr(0, 8), "000300| ");
  EXPECT_EQ(code[16].substr(0, 8), "0003F0| ");

  const auto data = linesOf(dataPageText(buffer, 3));
  ASSERT_EQ(data.size(), 10u);
  EXPECT_EQ(data[0], "             *** BUFFER DATA ***");
  EXPECT_EQ(data[1], "");
  EXPECT_EQ(data[2].substr(0, 8), "000180| ");
  EXPECT_EQ(data[9].substr(0, 8), "0001F0| ");
}

TEST(HexPage, TheLastDataPageShowsTheLastHundredTwentyEightBytes) {
  std::vector<std::uint8_t> buffer(8292, 0);
  buffer[8191] = 0x7A;
  const auto data = linesOf(dataPageText(buffer, kDataScrollMax));
  EXPECT_EQ(data[2].substr(0, 6), "001F80");
  EXPECT_EQ(data[9], "001FF0| 00000000 00000000 00000000 0000007A | ...............z");
}

TEST(HexPage, BytesBeyondTheBufferAreBlankAndTheColumnsStay) {
  const std::vector<std::uint8_t> buffer(20, 0x31);
  const auto lines = linesOf(codePageText(buffer, 0));
  const std::string blankGroups(27, ' ');
  EXPECT_EQ(lines[2], "000010| 31313131 " + blankGroups + "| 1111" + std::string(12, ' '));
  EXPECT_EQ(lines[3], "000020| " + std::string(36, ' ') + "| " + std::string(16, ' '));
  EXPECT_EQ(lines[3].size(), 62u);
}

TEST(HexPage, TheScrollRangeCountsWholeCodePages) {
  EXPECT_EQ(codeScrollMax(0), -1);
  EXPECT_EQ(codeScrollMax(100), -1);
  EXPECT_EQ(codeScrollMax(256), 0);
  EXPECT_EQ(codeScrollMax(8192), 31);
  EXPECT_EQ(codeScrollMax(2'100'001), 8202);
}

}  // namespace
}  // namespace burnlab::testing
