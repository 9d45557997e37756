// What -d accepts: a list position, the whole name, the chip's name alone, one word of the name.
#include "cli/device_names.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/catalogue_rows.h"

namespace burnlab::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

int foundRow(const std::string& name) {
  const auto named = findDevice(name);
  EXPECT_TRUE(named.row.has_value()) << name << ": " << named.problem;
  return named.row.value_or(-1);
}

// What -d `name` says instead of finding a row.
std::string problemOf(const std::string& name) {
  const auto named = findDevice(name);
  EXPECT_FALSE(named.row) << name;
  return named.problem;
}

// The list position of `part`'s row as the list command prints it, with the text after it.
std::string listed(std::string_view part, const std::string& text) {
  return "\n  " + std::to_string(rowOf(part)) + " " + text;
}

TEST(DeviceNames, ThePositionTheWholeNameAndTheChipsNameAloneAllFindTheRow) {
  const auto row = rowOf("27C256");
  for (const auto* name : {"Eprom 27C256", "  eprom 27c256 ", "27C256", "27c256"}) {
    EXPECT_EQ(foundRow(name), row) << name;
  }
  EXPECT_EQ(foundRow(std::to_string(row)), row);
  // The family word may be more than "Eprom", and the chip's name may stand inside the name.
  EXPECT_EQ(foundRow("X28C256"), rowOf("X28C256"));
  EXPECT_EQ(foundRow("XICOR X28C256"), rowOf("X28C256"));
  EXPECT_EQ(foundRow("24C16"), rowOf("24C16"));
}

TEST(DeviceNames, ANumberThatIsNoListPositionIsAChipsName) {
  EXPECT_EQ(foundRow(std::to_string(rowOf("2764"))), rowOf("2764"));
  EXPECT_EQ(foundRow("2764"), rowOf("2764"));
  EXPECT_EQ(foundRow("27256"), rowOf("27256"));
  EXPECT_EQ(foundRow("2732"), rowOf("2732"));  // not 2732A nor 2732B
}

TEST(DeviceNames, AnExactNameWinsOverANameThatMerelyContainsIt) {
  EXPECT_EQ(foundRow("27C080"), rowOf("27C080"));  // and not "27C080 OTP", the row after it
  EXPECT_EQ(problemOf("27C080 OTP"), "Eprom 27C080 OTP is not supported by this program");
}

TEST(DeviceNames, AnAmbiguousNameListsItsCandidatesWithTheirPositions) {
  EXPECT_THAT(problemOf("catalyst"),
              AllOf(HasSubstr("may be any of these"),
                    HasSubstr(listed("CAT28F001", "N/A - Flash Catalyst CAT28F001")),
                    HasSubstr(listed("CAT28C257", "N/A - Eeprom Catalyst CAT28C257")),
                    Not(HasSubstr("X28C256"))));
}

TEST(DeviceNames, AnUnknownNameSuggestsTheNamesThatContainIt) {
  EXPECT_THAT(problemOf("27C0"),
              AllOf(HasSubstr("did you mean"), HasSubstr(listed("27C010", "Eprom 27C010")),
                    HasSubstr(listed("27C080", "Eprom 27C080"))));
  EXPECT_EQ(problemOf("Eprom 9999"), "no device 'Eprom 9999' (see the list command)");
  EXPECT_EQ(problemOf(""), "no device '' (see the list command)");
  EXPECT_FALSE(findDevice("81").row);
  EXPECT_FALSE(findDevice("-1").row);
}

TEST(DeviceNames, AnUnsupportedRowIsRefusedByPositionAndByName) {
  EXPECT_EQ(problemOf(std::to_string(rowOf("2716"))),
            "Eprom 2716 is not supported by this program");
  EXPECT_EQ(problemOf("2716"), "Eprom 2716 is not supported by this program");
  EXPECT_FALSE(findDevice("AT29C256").row);
}

}  // namespace
}  // namespace burnlab::testing
