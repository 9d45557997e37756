// Stop in the App: the Stop button asked while a command runs ends it at its next progress step,
// resets the board and says so in one log line; outside a command Stop does nothing.
#include "ops/operation_stop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// A started App with a 27C256 in the socket, erased or holding a counting pattern, selected,
// its image in the code buffer (as a read leaves it), and the operator pressing Stop at
// progress step `stopAt` (0: never).
struct StopAtStep : SimulatedApp {
  explicit StopAtStep(int stopAt, bool erased = false)
      : SimulatedApp({.socket = "27C256", .slider = {}}) {
    for (std::uint32_t address = 0; !erased && address < chip->size(); ++address) {
      chip->setCell(address, static_cast<std::uint8_t>(address * 3 + 1));
    }
    app.Read_button_Click();
    view.onRepaint = [this, stopAt](const Control& control) {
      if (&control == &app.panel.ProgressBar1 && app.panel.ProgressBar1.value > 0 &&
          ++steps == stopAt) {
        stopOffered = app.panel.Stop_button.enabled;
        app.click("Stop_button");
      }
    };
    logged = app.panel.SystemLog.text.size();
    port.clear();
  }
  std::string log() const { return app.panel.SystemLog.text.substr(logged); }
  // The port writes of a reset of the board for the selected device (its idle lines).
  std::vector<std::string> resetWrites() {
    const auto before = port.lines;
    port.clear();
    app.board.Reset();
    auto reset = port.lines;
    port.lines = before;
    return reset;
  }

  int steps = 0;
  bool stopOffered = false;
  std::size_t logged = 0;
};

bool endsWith(const std::vector<std::string>& all, const std::vector<std::string>& tail) {
  return all.size() >= tail.size() && std::equal(tail.rbegin(), tail.rend(), all.rbegin());
}

class EveryStoppableCommand : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryStoppableCommand, EndsAtTheNextStepWithTheBoardResetAndOneLineLogged) {
  StopAtStep f(10, true);  // an erased chip: the blank check too runs to the end unstopped
  f.app.click(GetParam());
  EXPECT_TRUE(f.stopOffered);  // the Stop button was there while the command ran
  EXPECT_EQ(f.steps, 10);      // no step after the one that saw the Stop
  const auto log = f.log();
  EXPECT_TRUE(log.ends_with(std::string(">  ") + OperationStop::kStoppedLine)) << log;
  EXPECT_EQ(log.find(OperationStop::kStoppedLine), log.rfind(OperationStop::kStoppedLine));
  for (const char* done :
       {"bytes Read", "IS BLANK", "IS NOT BLANK", "MATCHES", "Different", "Successfull"}) {
    EXPECT_EQ(log.find(done), std::string::npos) << done;
  }
  // The board as a reset leaves it, the lamps dark, the bar empty, Stop no longer offered.
  EXPECT_TRUE(endsWith(f.port.lines, f.resetWrites()));
  EXPECT_EQ(f.app.panel.DataFlow_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
  EXPECT_FALSE(f.app.panel.Stop_button.enabled);
  EXPECT_FALSE(f.app.stopping.running());
  EXPECT_TRUE(f.app.panel.Read_button.enabled);
  EXPECT_TRUE(f.app.panel.Verify_button.enabled);
  // The request is spent as the operator's next command starts: that one runs whole.
  f.view.onRepaint = nullptr;
  const auto stoppedLog = f.log().size();
  f.app.click("Verify_button");
  EXPECT_NE(f.log().find("Device Contents MATCHES with Buffer Contents", stoppedLog),
            std::string::npos)
      << f.log();
}

INSTANTIATE_TEST_SUITE_P(Stop, EveryStoppableCommand,
                         ::testing::Values("Read_button", "menuReadCode", "Blank_button",
                                           "menuBlankCheck", "Verify_button", "menuVerifyCode",
                                           "Program_button", "menuProgramCode"));

TEST(Stop, AStoppedReadKeepsWhatItReadAndShowsItAndTheNextReadRunsWhole) {
  StopAtStep f(1);
  std::fill_n(f.app.buffers.CodeBuffer.begin(), 32768, 0x00);
  f.app.click("Read_button");
  // A step starts each page: Stop at the first one lets that page be read, the next step ends
  // the read; the rest of the buffer is as it was.
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x00FF], f.chip->cells()[0x00FF]);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x0100], 0x00);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x1000], 0x00);
  EXPECT_TRUE(f.app.panel.BufferDisplay.text.starts_with("\r\n000000| 0104070A "))
      << f.app.panel.BufferDisplay.text;

  f.view.onRepaint = nullptr;
  f.app.click("Read_button");
  EXPECT_NE(f.log().find("32768 bytes Read from Device"), std::string::npos);
  EXPECT_TRUE(
      std::equal(f.chip->cells().begin(), f.chip->cells().end(), f.app.buffers.CodeBuffer.begin()));
}

TEST(Stop, OutsideACommandStopDoesNothingAndAnEarlierStopIsForgotten) {
  StopAtStep f(0);
  EXPECT_FALSE(f.app.panel.Stop_button.enabled);
  f.app.click("Stop_button");  // disabled: no click
  f.app.stopping.Stop_button_Click();
  f.app.click("Verify_button");
  EXPECT_NE(f.log().find("Device Contents MATCHES with Buffer Contents"), std::string::npos)
      << f.log();
  EXPECT_EQ(f.log().find(OperationStop::kStoppedLine), std::string::npos);
  EXPECT_FALSE(f.app.panel.Stop_button.enabled);
}

TEST(Stop, ACommandRunOutsideTheStopIsNeverStoppedAndOffersNoStop) {
  StopAtStep f(3);
  f.app.Blank_button_Click();  // as a part of another command would run it
  EXPECT_FALSE(f.app.panel.Stop_button.enabled);
  EXPECT_NE(f.log().find("Device IS NOT BLANK"), std::string::npos) << f.log();
  EXPECT_EQ(f.log().find(OperationStop::kStoppedLine), std::string::npos);
}

TEST(Stop, AStopEndsTheOutermostCommandAndAQuickCommandStillFinishes) {
  StopAtStep f(5);
  bool after = false;
  const auto outcome = f.app.stopping.run([&] {
    f.app.stopping.run([&] { return f.app.Verify_button_Click(); });
    after = true;  // never reached: the stop ends the outer command too
    return CommandOutcome::succeeded();
  });
  EXPECT_TRUE(outcome.wasStopped());
  EXPECT_EQ(outcome.stoppedBy, StopRequest::kByOperator);
  EXPECT_FALSE(after);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
  EXPECT_FALSE(f.app.panel.Stop_button.enabled);
  // The request is left to the caller (the terminal exits on it); spent, the next run finishes.
  EXPECT_TRUE(f.app.stopRequest.requested());
  f.app.stopRequest.clear();
  EXPECT_TRUE(f.app.stopping.run([] { return CommandOutcome::succeeded(); }).ok());
}

TEST(Stop, AStopTooLateForTheLastStepIsSpentWithTheCommand) {
  StopAtStep f(0);
  f.view.onRepaint = [&f](const Control& control) {
    if (&control == &f.app.panel.ProgressBar1 &&
        f.app.panel.ProgressBar1.value == f.app.panel.ProgressBar1.max) {
      f.app.click("Stop_button");
    }
  };
  f.app.click("Verify_button");
  EXPECT_NE(f.log().find("Device Contents MATCHES with Buffer Contents"), std::string::npos)
      << f.log();
  EXPECT_EQ(f.log().find(OperationStop::kStoppedLine), std::string::npos);
  // Left over, it is spent as the next command starts: that one runs whole.
  f.view.onRepaint = nullptr;
  f.app.click("Verify_button");
  EXPECT_EQ(f.log().find(OperationStop::kStoppedLine), std::string::npos);
}

}  // namespace
}  // namespace burnlab::testing
