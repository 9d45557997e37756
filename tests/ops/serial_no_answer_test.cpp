// Every command on a serial EEPROM socket that nothing answers in: the no-acknowledge report,
// the error lamp, and never a success or a match.
#include <gtest/gtest.h>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

struct NoAnswerCase {
  const char* socket;
  const char* command;  // the control the operator clicks
  bool failsTheRun;     // a write command counts the run as failed
};

class EveryCommandOnAnEmptySerialSocket : public ::testing::TestWithParam<NoAnswerCase> {};

TEST_P(EveryCommandOnAnEmptySerialSocket, GivesTheNoAcknowledgeReportAndNoSuccess) {
  const auto& c = GetParam();
  SimulatedApp f(eepromToProgram(c.socket));
  f.board.insert(nullptr);
  f.app.panel.VerifyAfterProgramming.checked = true;
  const auto log = f.logOf([&] { f.app.click(c.command); });
  EXPECT_TRUE(f.errorLit());
  EXPECT_NE(log.find("\r\n12:34:56>  **************************************************"
                     "\r\n12:34:56>  Device 24CXX DOES NOT RESPOND - ACK Error"
                     "\r\n12:34:56>  Check Chip Installation Position on Socket"
                     "\r\n12:34:56>  Click on [ERROR] Alert to Reset the Situation"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("Successfull"), std::string::npos) << log;
  EXPECT_EQ(log.find("MATCHES"), std::string::npos) << log;
  EXPECT_EQ(f.platform.sounds.back().filename(), "error.wav");
  EXPECT_EQ(f.app.programming.run.ProgramFailed, c.failsTheRun ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryCommandOnAnEmptySerialSocket,
                         ::testing::Values(NoAnswerCase{"24C08", "Read_button", false},
                                           NoAnswerCase{"24C32", "Verify_button", false},
                                           NoAnswerCase{"24C08", "Program_button", true},
                                           NoAnswerCase{"24C16", "EraseFlash_button", true}),
                         [](const auto& info) {
                           return std::string(info.param.command) + "_" + info.param.socket;
                         });

}  // namespace
}  // namespace burnlab::testing
