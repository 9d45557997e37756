// What -d accepts: a list position, the whole name, the chip's name alone, one word of the name.
#include "cli/device_names.h"

#include <gtest/gtest.h>

namespace burnlab {
namespace {

int rowOf(const std::string& name) {
  const auto named = findDevice(name);
  EXPECT_TRUE(named.row.has_value()) << name << ": " << named.problem;
  return named.row.value_or(-1);
}

TEST(DeviceNames, ThePositionTheWholeNameAndTheChipsNameAloneAllFindTheRow) {
  EXPECT_EQ(rowOf("10"), 10);
  EXPECT_EQ(rowOf("Eprom 27C256"), 10);
  EXPECT_EQ(rowOf("  eprom 27c256 "), 10);
  EXPECT_EQ(rowOf("27C256"), 10);
  EXPECT_EQ(rowOf("27c256"), 10);
  // The family word may be more than "Eprom", and the chip's name may stand inside the name.
  EXPECT_EQ(rowOf("X28C256"), 31);
  EXPECT_EQ(rowOf("XICOR X28C256"), 31);
  EXPECT_EQ(rowOf("24C16"), 35);
}

TEST(DeviceNames, ANumberThatIsNoListPositionIsAChipsName) {
  EXPECT_EQ(rowOf("5"), 5);
  EXPECT_EQ(rowOf("2764"), 5);
  EXPECT_EQ(rowOf("27256"), 9);
  EXPECT_EQ(rowOf("2732"), 3);  // not 2732A nor 2732B
}

TEST(DeviceNames, AnExactNameWinsOverANameThatMerelyContainsIt) {
  EXPECT_EQ(rowOf("27C080"), 19);  // and not "27C080 OTP"
  const auto otp = findDevice("27C080 OTP");
  EXPECT_FALSE(otp.row);
  EXPECT_EQ(otp.problem, "Eprom 27C080 OTP is not supported by this program");
}

TEST(DeviceNames, AnAmbiguousNameListsItsCandidatesWithTheirPositions) {
  const auto named = findDevice("catalyst");
  EXPECT_FALSE(named.row);
  EXPECT_NE(named.problem.find("may be any of these"), std::string::npos);
  EXPECT_NE(named.problem.find("\n  28 N/A - Flash Catalyst CAT28F001"), std::string::npos)
      << named.problem;
  EXPECT_NE(named.problem.find("\n  33 N/A - Eeprom Catalyst CAT28C257"), std::string::npos);
  EXPECT_EQ(named.problem.find("X28C256"), std::string::npos);
}

TEST(DeviceNames, AnUnknownNameSuggestsTheNamesThatContainIt) {
  const auto part = findDevice("27C0");
  EXPECT_FALSE(part.row);
  EXPECT_NE(part.problem.find("did you mean"), std::string::npos);
  EXPECT_NE(part.problem.find("\n  13 Eprom 27C010"), std::string::npos) << part.problem;
  EXPECT_NE(part.problem.find("\n  19 Eprom 27C080"), std::string::npos);

  EXPECT_EQ(findDevice("Eprom 9999").problem, "no device 'Eprom 9999' (see the list command)");
  EXPECT_EQ(findDevice("").problem, "no device '' (see the list command)");
  EXPECT_FALSE(findDevice("81").row);
  EXPECT_FALSE(findDevice("-1").row);
}

TEST(DeviceNames, AnUnsupportedRowIsRefusedByPositionAndByName) {
  EXPECT_EQ(findDevice("0").problem, "Eprom 2716 is not supported by this program");
  EXPECT_EQ(findDevice("2716").problem, "Eprom 2716 is not supported by this program");
  EXPECT_FALSE(findDevice("AT29C256").row);
}

}  // namespace
}  // namespace burnlab
