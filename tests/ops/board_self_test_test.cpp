// Test the Board on the simulated board: what it leaves on the board and the chip, a stop in the
// middle, its port time, and the read figures its port line projects from.
#include "ops/board_self_test.h"

#include <gtest/gtest.h>

#include "ops/port_access_timing.h"
#include "ops/programming_bench.h"

namespace burnlab::testing {
namespace {

// A chip in the socket that notes whether any pin ever carried a programming voltage.
class VoltageWatch final : public sim::SocketChip {
 public:
  explicit VoltageWatch(std::shared_ptr<sim::SocketChip> chip) : chip_(std::move(chip)) {}
  void linesChanged(const sim::SocketLines& lines, std::uint64_t nowNs) override {
    voltageSeen = voltageSeen || (lines.reg[0] & 0xB0) != 0;  // VPP24, VPP on pin 1 or pin 3
    chip_->linesChanged(lines, nowNs);
  }
  std::uint8_t output(const sim::SocketLines& lines, std::uint64_t nowNs) override {
    return chip_->output(lines, nowNs);
  }
  std::uint8_t drivenLines(const sim::SocketLines& lines, std::uint64_t nowNs) override {
    return chip_->drivenLines(lines, nowNs);
  }
  bool voltageSeen = false;

 private:
  std::shared_ptr<sim::SocketChip> chip_;
};

std::vector<std::string> checkNames(const SelfTestReport& report) {
  std::vector<std::string> names;
  for (const auto& check : report.checks) names.push_back(check.name);
  return names;
}

TEST(BoardSelfTest, LeavesA27C256InTheSocketUnharmedAndReadsItAlike) {
  SimBench f(kRow27C256, "27C256,set@10=3C,set@7FFF=00");
  auto watch = std::make_shared<VoltageWatch>(f.chip);
  f.board.insert(watch);
  const auto cells = f.chip->cells();
  const auto start = f.board.markCommand();

  f.app.testTheBoard(3);

  const auto& report = f.app.boardTest.report();
  EXPECT_EQ(report.outcome, SelfTestReport::Outcome::Passed) << report.summary();
  EXPECT_EQ(checkNames(report),
            (std::vector<std::string>{"Port", "Data path", "Identification line", "Chip reads"}));
  EXPECT_EQ(report.checks.back().text, "3 reads of 32768 bytes agree");
  EXPECT_FALSE(watch->voltageSeen);
  const auto end = f.board.counters();
  EXPECT_EQ(end.contentions, start.contentions);
  EXPECT_EQ(end.events, start.events);
  EXPECT_EQ(f.chip->cells(), cells);
  EXPECT_TRUE(f.boardIdle());
}

TEST(BoardSelfTest, AStopDuringTheChipReadsLeavesTheBoardAsResetLeavesIt) {
  SimBench f(kRow27C256, "27C256");
  auto& bar = f.app.panel.ProgressBar1;
  bool chipEnabled = false;
  // Stops in the second read of the chip, while CE and OE hold the chip's outputs on.
  f.view.onRepaint = [&](const Control& control) {
    if (&control != &bar || bar.value != 3 + 128 + 10) return;  // 3 checks, a read, 10 pages
    chipEnabled = (f.board.registers()[3] & 0x80) == 0;
    f.app.stopping.Stop_button_Click();
  };
  f.app.testTheBoard(3);

  EXPECT_TRUE(chipEnabled);
  const auto& reg = f.board.registers();
  EXPECT_TRUE(f.boardIdle());
  EXPECT_EQ(reg[1], f.app.board.address.Reg1Extra);
  EXPECT_EQ(reg[2], 0);
  EXPECT_EQ(f.app.panel.DataFlow_label.foreColor, kGreyText);
  EXPECT_EQ(bar.value, 0);
  const auto& report = f.app.boardTest.report();
  EXPECT_EQ(report.outcome, SelfTestReport::Outcome::Running);
  EXPECT_EQ(checkNames(report),
            (std::vector<std::string>{"Port", "Data path", "Identification line"}));
  EXPECT_TRUE(f.logged(OperationStop::kStoppedLine));
}

TEST(BoardSelfTest, ACleanBoardPassesWithinAFifthOfASecondOfPortTime) {
  for (const int model : {4, 5, 6}) {
    AppFixture f(model);
    f.app.Form_Load();
    const auto start = f.board.markCommand();
    f.app.testTheBoard(0);
    const auto& report = f.app.boardTest.report();
    EXPECT_EQ(report.outcome, SelfTestReport::Outcome::Passed) << "model " << model;
    EXPECT_LT(f.board.counters().nowNs - start.nowNs, 200'000'000u) << "model " << model;
    // Each check has its line in the System Log, and the summary its own.
    for (const auto& check : report.checks) {
      EXPECT_NE(f.app.panel.SystemLog.text.find(SelfTestReport::lineOf(check)), std::string::npos);
    }
    EXPECT_NE(f.app.panel.SystemLog.text.find("Board Test: all "), std::string::npos);
  }
}

TEST(BoardSelfTest, ProjectsA27C256ReadAsTheSimulatedBoardTimesIt) {
  SimBench f(kRow27C256, "27C256");
  const auto start = f.board.markCommand();
  f.app.Read_button_Click();
  const double simulated = static_cast<double>(f.board.counters().nowNs - start.nowNs) * 1e-9;
  EXPECT_NEAR(projected27C256(1000).readSeconds, simulated, simulated * 0.01);
}

TEST(BoardSelfTest, WithoutABoardTouchesNoPort) {
  RecordingPort port;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app({port, platform, dialogs, view});
  app.Form_Load();
  port.clear();
  app.testTheBoard(3);
  EXPECT_EQ(app.boardTest.report().outcome, SelfTestReport::Outcome::NoBoard);
  EXPECT_TRUE(port.lines.empty());
}

}  // namespace
}  // namespace burnlab::testing
