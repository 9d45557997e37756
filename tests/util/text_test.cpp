#include "util/text.h"

#include <gtest/gtest.h>

namespace burnlab::testing {
namespace {

TEST(Text, TrimmedTakesOnlyTheBlanksAskedForFromBothEnds) {
  EXPECT_EQ(trimmed("  27C256   "), "27C256");
  EXPECT_EQ(trimmed(" a b "), "a b");  // blanks inside stay
  EXPECT_EQ(trimmed("    "), "");
  EXPECT_EQ(trimmed(""), "");
  // Spaces only by default: a list entry's tab or line end is part of its text.
  EXPECT_EQ(trimmed("\tx \r\n"), "\tx \r\n");
  EXPECT_EQ(trimmed("\t x \r\n", kWhitespace), "x");
}

TEST(Text, CaseIsFoldedForAsciiLettersOnly) {
  EXPECT_EQ(lowerCase("X28C256.HeX"), "x28c256.hex");
  EXPECT_EQ(lowerCase("\xC4-1"), "\xC4-1");
  EXPECT_TRUE(sameIgnoringCase("BLSetup1.INI", "blsetup1.ini"));
  EXPECT_FALSE(sameIgnoringCase("24C16", "24C1"));  // a prefix is not the same name
  EXPECT_FALSE(sameIgnoringCase("24C1", "24C16"));
  EXPECT_TRUE(sameIgnoringCase("", ""));
}

}  // namespace
}  // namespace burnlab::testing
