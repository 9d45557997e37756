// A stop request (a terminal's signal, the window's Stop) ends the running command at its next
// progress step or pause, and the board is left as Reset leaves it: no programming voltage.
#include <gtest/gtest.h>

#include <csignal>

#include "ops/register_trace.h"
#include "sim/chip_catalogue.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// Asks for a stop, as a signal handler would, once `count` writes of `value` to the board
// register whose idle control value is `idle` have been seen.
void stopAt(SimulatedApp& rig, std::uint8_t value, std::uint8_t idle, int count = 1) {
  const auto data = traceLine("out", 0x378, value);
  const auto select = traceLine("out", 0x37A, idle);
  rig.port.onAccess = [&rig, data, select, count,
                       seen = 0](const std::vector<std::string>& lines) mutable {
    const auto n = lines.size();
    if (n >= 2 && lines[n - 1] == select && lines[n - 2] == data && ++seen == count) {
      rig.app.stopRequest.request(SIGINT);
    }
  };
}

constexpr std::uint8_t kReg0Idle = 0x05, kReg1Idle = 0x0D, kReg3Idle = 0x0F;

TEST(StopRequest, EndsProgrammingMidChipWithNoProgrammingVoltageLeft) {
  SimulatedApp f(toProgram("27C010"));
  stopAt(f, 0x08, kReg3Idle, 500);  // PGM low: the 500th program pulse starts
  bool voltageWasOn = false;
  const auto logged = f.app.panel.SystemLog.text.size();
  const auto outcome = f.app.runStoppable([&] {
    f.app.Program_button_Click();
    voltageWasOn = true;
    return CommandOutcome::succeeded();
  });
  EXPECT_TRUE(outcome.wasStopped());
  EXPECT_EQ(outcome.stoppedBy, SIGINT);
  EXPECT_FALSE(voltageWasOn);
  EXPECT_EQ(f.app.stopRequest.reason(), SIGINT);  // left for the caller to act on
  EXPECT_TRUE(f.boardIdle());                     // no programming voltage left
  EXPECT_EQ(f.logSince(logged).find("Successfull"), std::string::npos);
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.DataFlow_label.foreColor, kGreyText);
  // Some of the chip was written, the rest was not.
  EXPECT_NE(f.chip->cell(0), 0xFF);
  EXPECT_EQ(f.chip->cell(f.chip->size() - 2), 0xFF);
}

TEST(StopRequest, EndsTheVppSettlingWaitAtOnce) {
  SimulatedApp f(toProgram("2732A"));
  f.app.chooseVoltage_button(2);
  stopAt(f, 0x4A, kReg0Idle);  // the programming value of register 0 with 21 V selected
  const auto before = f.platform.elapsedMs;
  EXPECT_TRUE(f.app.runStoppable([&] { return f.app.Program_button_Click(); }).wasStopped());
  EXPECT_EQ(f.platform.elapsedMs - before, 500);  // the address settle, and not the 1500 ms
  EXPECT_TRUE(f.boardIdle());
}

TEST(StopRequest, EndsAReadAtItsNextPage) {
  SimulatedApp f(toProgram("27C512"));
  stopAt(f, 0x05, kReg1Idle);  // page 5
  EXPECT_TRUE(f.app.runStoppable([&] { return f.app.Read_button_Click(); }).wasStopped());
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
  EXPECT_TRUE(f.boardIdle());
}

TEST(StopRequest, AWindowCommandStartsWithNoStopLeftFromBefore) {
  SimulatedApp f(toProgram("2764", 10, 256));
  f.app.stopRequest.request(StopRequest::kByOperator);  // too late for the command before
  f.app.click("Program_button");
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  EXPECT_FALSE(f.logged(OperationStop::kStoppedLine));
}

// The terminal's run: start-up, the device chosen, the file loaded, then the command, all one
// stoppable run. A stop asked during any of the steps before the command ends the run before
// the command writes anything.
TEST(StopRequest, OneAskedDuringAStartUpStepEndsTheRunBeforeTheCommandWrites) {
  for (int step = 0; step < 3; ++step) {
    SimulatedApp f;
    std::string error;
    const auto chip = sim::ChipCatalogue::make("24C16", {}, error);
    ASSERT_NE(chip, nullptr) << error;
    f.board.insert(chip);
    const auto file = f.files.file("image.bin", std::string(2048, '\x5A'));
    const auto askedAt = [&](int here) {
      if (here == step) f.app.stopRequest.request(SIGINT);
    };
    std::size_t beforeCommand = 0;
    const auto outcome = f.app.runStoppable([&] {
      askedAt(0);
      f.app.Form_Load();
      askedAt(1);
      f.app.setDeviceListIndex(rowOf("24C16"));
      askedAt(2);
      f.app.bufferCommands.openCodeFile(file);
      beforeCommand = f.port.lines.size();
      return f.app.Program_button_Click();
    });
    EXPECT_TRUE(outcome.wasStopped()) << step;
    EXPECT_EQ(f.app.stopRequest.reason(), SIGINT);  // the terminal exits with 130 on it
    // After the command began, only the stop's own reset of the board: the file's bytes never
    // reached the data lines.
    const auto data = traceLine("out", 0x378, 0x5A);
    EXPECT_EQ(std::count(f.port.lines.begin() + static_cast<long>(beforeCommand),
                         f.port.lines.end(), data),
              0)
        << step;
    EXPECT_EQ(std::count(chip->cells().begin(), chip->cells().end(), 0xFF), 2048) << step;
    EXPECT_FALSE(f.logged("Programming Button Pressed"));
  }
}

}  // namespace
}  // namespace burnlab::testing
