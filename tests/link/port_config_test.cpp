// burnlab6.ini's text: which lines count and how values read. The bytes written are checked
// where the board search writes them (shell/hardware_detection_test.cpp).
#include "link/port_config.h"

#include <gtest/gtest.h>

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
  // Past 7FFF, outside the 16-bit range: no port.
  const std::pair<const char*, int> cases[] = {{"3BC", 0x3BC},  {"  3bc  ", 0x3BC},
                                               {"3 BC", 0x3BC}, {"378h", 0x378},
                                               {"27G8", 0x27},  {"", 0},
                                               {"port", 0},     {"7FFF", 0x7FFF},
                                               {"8000", 0},     {"123456789ABCDEF", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(parseHexValue(text), value) << text;
}

TEST(PortConfig, DecimalValuesReadAsANumberRoundedHalfToEven) {
  const std::pair<const char*, int> cases[] = {
      {" 6 ", 6}, {"6abc", 6},      {"+5", 5},    {"-4", -4},  {"4.5", 4},
      {"5.5", 6}, {"5.51", 6},      {".6e1", 6},  {"6e", 6},   {"six", 0},
      {".", 0},   {"32767", 32767}, {"32768", 0}, {"1e400", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(parseDecimalValue(text), value) << text;
}

}  // namespace
}  // namespace burnlab::testing
