// burnlab6.ini's text: which lines count, how values read, and the bytes written.
#include "link/port_config.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace burnlab::testing {
namespace {

TEST(PortConfig, ReadsThePortInHexAndTheModelInDecimal) {
  const auto config = parsePortConfig(
      "[BURNLAB6 SETUP]\r\nDATE = 12-07-2026 14:05:09\r\nIO_PORT = 3BC\r\n"
      "MODEL =  6 \r\n");
  EXPECT_EQ(config.ioPort, 956);
  EXPECT_EQ(config.model, 6);
  EXPECT_EQ(config.ConfigKeys, "PORTMODEL");
  EXPECT_TRUE(config.complete());
  EXPECT_EQ(parsePortConfig("IO_PORT = 278\r\nMODEL = 4\r\n").ioPort, 632);
}

TEST(PortConfig, TakesTheKeysInEitherOrder) {
  const auto config = parsePortConfig("MODEL = 5\nIO_PORT = 378\n");
  EXPECT_EQ(config.ConfigKeys, "MODELPORT");
  EXPECT_TRUE(config.complete());
  EXPECT_EQ(config.ioPort, 0x378);
}

TEST(PortConfig, IgnoresKeyLinesInOtherCaseOrWithoutTheirBlanks) {
  const auto config = parsePortConfig(
      "io_port = 378\r\nIO_PORT=378\r\nIO_PORT =378\r\n IO_PORT = 378\r\nModel = 6\r\nMODEL=6\r\n");
  EXPECT_EQ(config.ConfigKeys, "");
  EXPECT_FALSE(config.ioPort);
  EXPECT_FALSE(config.model);
  EXPECT_FALSE(config.complete());
}

TEST(PortConfig, ADuplicateKeyMakesTheFileIncompleteAndTheLastValueCounts) {
  const auto config = parsePortConfig("IO_PORT = 278\r\nMODEL = 5\r\nIO_PORT = 3BC\r\n");
  EXPECT_EQ(config.ConfigKeys, "PORTMODELPORT");
  EXPECT_FALSE(config.complete());
  EXPECT_EQ(config.ioPort, 0x3BC);
  EXPECT_FALSE(parsePortConfig("IO_PORT = 278\r\n").complete());
}

TEST(PortConfig, HexValuesSkipBlanksAndStopAtTheFirstOtherCharacter) {
  EXPECT_EQ(parseHexValue("3BC"), 0x3BC);
  EXPECT_EQ(parseHexValue("  3bc  "), 0x3BC);
  EXPECT_EQ(parseHexValue("3 BC"), 0x3BC);
  EXPECT_EQ(parseHexValue("378h"), 0x378);
  EXPECT_EQ(parseHexValue("27G8"), 0x27);
  EXPECT_EQ(parseHexValue(""), 0);
  EXPECT_EQ(parseHexValue("port"), 0);
  EXPECT_EQ(parseHexValue("7FFF"), 0x7FFF);
  // Outside the 16-bit range: no port.
  EXPECT_EQ(parseHexValue("8000"), 0);
  EXPECT_EQ(parseHexValue("123456789ABCDEF"), 0);
}

TEST(PortConfig, DecimalValuesReadAsANumberRoundedHalfToEven) {
  EXPECT_EQ(parseDecimalValue(" 6 "), 6);
  EXPECT_EQ(parseDecimalValue("6abc"), 6);
  EXPECT_EQ(parseDecimalValue("+5"), 5);
  EXPECT_EQ(parseDecimalValue("-4"), -4);
  EXPECT_EQ(parseDecimalValue("4.5"), 4);
  EXPECT_EQ(parseDecimalValue("5.5"), 6);
  EXPECT_EQ(parseDecimalValue("5.51"), 6);
  EXPECT_EQ(parseDecimalValue(".6e1"), 6);
  EXPECT_EQ(parseDecimalValue("6e"), 6);
  EXPECT_EQ(parseDecimalValue("six"), 0);
  EXPECT_EQ(parseDecimalValue("."), 0);
  EXPECT_EQ(parseDecimalValue("32767"), 32767);
  EXPECT_EQ(parseDecimalValue("32768"), 0);
  EXPECT_EQ(parseDecimalValue("1e400"), 0);
}

TEST(PortConfig, IsWrittenAsFourCrLfLines) {
  const std::tm moment = FakePlatform().now;  // 8 December 2026, 12:34:56
  EXPECT_EQ(portConfigText(0x378, 6, moment),
            "[BURNLAB6 SETUP]\r\nDATE = 12-08-2026 12:34:56\r\nIO_PORT = 378\r\nMODEL =  6 \r\n");
  const auto text = portConfigText(0x3BC, 4, moment);
  EXPECT_EQ(parsePortConfig(text).ioPort, 0x3BC);
  EXPECT_EQ(parsePortConfig(text).model, 4);
}

}  // namespace
}  // namespace burnlab::testing
