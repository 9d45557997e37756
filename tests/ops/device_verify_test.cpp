// Verify on chips in the simulated socket: a match, the first difference, the byte lanes and a
// serial EEPROM that does not answer.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

TEST(Verify, AMatchingChipGivesOneMatchLineAndADifferenceAtZeroIsReported) {
  SimulatedApp f(chipIn("27C256"));
  f.app.Read_button_Click();
  f.app.Verify_button_Click();
  EXPECT_TRUE(f.logged("Device Contents MATCHES with Buffer Contents"));
  EXPECT_EQ(f.app.panel.Verify_button.backColor, kButtonFace);

  const auto chipByte = f.chip->cell(0);
  f.app.buffers.CodeBuffer[0] = static_cast<std::uint8_t>(chipByte ^ 0xFF);
  const auto log = f.logOf([&] { f.app.Verify_button_Click(); });
  EXPECT_NE(log.find("Device Memory DOES NOT VERIFY with Buffer Contents"), std::string::npos);
  char expected[80];
  std::snprintf(expected, sizeof expected, "Address: 0 ][ Buffer Data: %X ][ Device Data: %X",
                chipByte ^ 0xFF, chipByte);
  EXPECT_NE(log.find(expected), std::string::npos) << log;
  EXPECT_TRUE(f.errorLit());
}

TEST(Verify, TheLowByteLaneComparesEveryOtherBufferByteAndReportsTheBufferByteAtTheAddress) {
  SimulatedApp f(chipIn("27C256"));
  auto& buffer = f.app.buffers.CodeBuffer;
  for (std::uint32_t a = 0; a < 32768; ++a) buffer[2 * a] = f.chip->cell(a);
  buffer[2 * 5] ^= 0x01;  // chip byte 5 is compared with buffer byte 10
  f.app.buffers.CodeLoaded = 1;
  f.app.chooseHiLow_button(2);
  f.app.Verify_button_Click();
  char expected[80];
  std::snprintf(expected, sizeof expected, "Address: 5 ][ Buffer Data: %X ][ Device Data: %X",
                buffer[5], f.chip->cell(5));
  EXPECT_TRUE(f.logged(expected)) << f.app.panel.SystemLog.text;
}

TEST(Verify, ASerialEepromThatDoesNotAnswerIsNotReportedAsMatching) {
  SimulatedApp f(chipIn("24C32"));
  f.board.insert(nullptr);
  f.app.Verify_button_Click();
  EXPECT_TRUE(f.errorLit());
  EXPECT_TRUE(f.logged("DOES NOT RESPOND - ACK Error"));
  EXPECT_FALSE(f.logged("MATCHES"));
}

}  // namespace
}  // namespace burnlab::testing
