// Test the Board on the simulated board: what it leaves on the board and the chip, a stop in the
// middle, its port time, and the read figures its port line projects from.
#include "ops/board_self_test.h"

#include <gtest/gtest.h>

#include "ops/port_access_timing.h"
#include "ops/register_trace.h"
#include "support/simulated_app.h"

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
  SimulatedApp f(toProgram("27C256,set@10=3C,set@7FFF=00"));
  auto watch = std::make_shared<VoltageWatch>(f.chip);
  f.board.insert(watch);
  const auto cells = f.chip->cells();
  const auto start = f.board.markCommand();

  f.app.testTheBoard(3);

  const auto& report = f.app.boardTest.report();
  EXPECT_EQ(report.outcome, SelfTestReport::Outcome::Passed) << report.summary();
  EXPECT_EQ(checkNames(report), (std::vector<std::string>{"Port", "Program pulse", "Data path",
                                                          "Identification line", "Chip reads"}));
  EXPECT_EQ(report.checks.back().text, "3 reads of 32768 bytes agree");
  EXPECT_FALSE(watch->voltageSeen);
  const auto end = f.board.counters();
  EXPECT_EQ(end.contentions, start.contentions);
  EXPECT_EQ(end.events, start.events);
  EXPECT_EQ(f.chip->cells(), cells);
  EXPECT_TRUE(f.boardIdle());
}

TEST(BoardSelfTest, AStopDuringTheChipReadsLeavesTheBoardAsResetLeavesIt) {
  SimulatedApp f(toProgram("27C256"));
  auto& bar = f.app.panel.ProgressBar1;
  bool chipEnabled = false;
  // Stops in the second read of the chip, while CE and OE hold the chip's outputs on.
  f.view.onRepaint = [&](const Control& control) {
    if (&control != &bar || bar.value != 4 + 128 + 10) return;  // 4 checks, a read, 10 pages
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
  EXPECT_EQ(checkNames(report), (std::vector<std::string>{"Port", "Program pulse", "Data path",
                                                          "Identification line"}));
  EXPECT_TRUE(f.logged(OperationStop::kStoppedLine));
}

TEST(BoardSelfTest, ACleanBoardPassesWithinAFifthOfASecondOfPortTime) {
  for (const int model : {4, 5, 6}) {
    SimulatedApp f({.model = model});
    f.app.Form_Load();
    const auto start = f.board.markCommand();
    f.app.testTheBoard(0);
    const auto& report = f.app.boardTest.report();
    EXPECT_EQ(report.outcome, SelfTestReport::Outcome::Passed) << "model " << model;
    // The simulated clock also counts the program pulses timed, which are not port time.
    const std::uint64_t pulsesNs = BoardSelfTest::kPulses * 202 * Board::kPulseNsPerCount;
    EXPECT_LT(f.board.counters().nowNs - start.nowNs - pulsesNs, 200'000'000u) << "model " << model;
    // Each check has its line in the System Log, and the summary its own.
    for (const auto& check : report.checks) {
      EXPECT_TRUE(f.logged(SelfTestReport::lineOf(check)));
    }
    EXPECT_TRUE(f.logged("Board Test: all "));
  }
}

// The program pulses as the platform's clock times them: a spin ends at its deadline, or
// `lateBy` per cent of the pulse after it (negative: before), and one pulse in the middle lasts
// `oneAtPercent` of its width.
struct PulseCase {
  const char* name;
  int lateBy;
  int oneAtPercent;
  SelfTestCheck::Verdict verdict;
  const char* said;  // what the check's text ends with
};

class ProgramPulses : public ::testing::TestWithParam<PulseCase> {};

TEST_P(ProgramPulses, AreJudgedOnTheirWidthAndNeverFineWhenShort) {
  const auto& c = GetParam();
  SimulatedApp f;
  f.app.Form_Load();
  f.app.board.MediumDelayCount = 7;  // the slider's own setting is left alone
  int spins = 0;
  f.platform.spinEnd = [&](std::uint64_t deadline, std::uint64_t now) {
    const auto width = static_cast<std::int64_t>(deadline - now);
    const int percent = ++spins == 500 && c.oneAtPercent ? c.oneAtPercent : 100 + c.lateBy;
    return now + static_cast<std::uint64_t>(width * percent / 100);
  };
  f.app.testTheBoard(0);

  const auto& report = f.app.boardTest.report();
  ASSERT_GE(report.checks.size(), 2u);
  const auto& pulse = report.checks[1];
  EXPECT_EQ(pulse.name, "Program pulse");
  EXPECT_EQ(pulse.verdict, c.verdict) << pulse.text;
  EXPECT_EQ(pulse.text.rfind("requested 101.0 µs; shortest ", 0), 0u) << pulse.text;
  EXPECT_NE(pulse.text.find(c.said), std::string::npos) << pulse.text;
  EXPECT_EQ(spins, BoardSelfTest::kPulses);
  EXPECT_EQ(f.app.board.MediumDelayCount, 7);
  // A warning is shown but passes; a short pulse fails the test.
  const bool passes = c.verdict != SelfTestCheck::Verdict::Fault;
  EXPECT_EQ(report.outcome,
            passes ? SelfTestReport::Outcome::Passed : SelfTestReport::Outcome::FaultFound);
  const bool warned = c.verdict == SelfTestCheck::Verdict::Warning;
  EXPECT_EQ(report.summary(),
            std::string(passes ? "all 4 checks passed" : "1 of 4 checks found a fault") +
                (warned ? ", 1 with a warning" : ""));
  EXPECT_TRUE(f.logged("Board Test: " + SelfTestReport::lineOf(pulse)));
}

INSTANTIATE_TEST_SUITE_P(
    Timings, ProgramPulses,
    ::testing::Values(
        PulseCase{"Exact", 0, 0, SelfTestCheck::Verdict::Passed,
                  "median 101.0 µs, longest 101.0 µs in 1000 pulses"},
        PulseCase{"TwentyPercentLong", 20, 0, SelfTestCheck::Verdict::Passed,
                  "median 121.2 µs, longest 121.2 µs in 1000 pulses"},
        PulseCase{"MedianLong", 21, 0, SelfTestCheck::Verdict::Warning,
                  ": the median is 21 % long, which means a loaded or virtual machine"},
        PulseCase{"OneFiveTimes", 0, 500, SelfTestCheck::Verdict::Passed, "longest 505.0 µs"},
        PulseCase{"OneSixTimes", 0, 600, SelfTestCheck::Verdict::Warning,
                  ": a pulse lasted 6.0 times its width, which means a loaded or virtual machine"},
        PulseCase{"OneShort", 0, 90, SelfTestCheck::Verdict::Fault,
                  "shortest 90.9 µs, median 101.0 µs, longest 101.0 µs in 1000 pulses: pulses "
                  "shorter than requested may leave bytes unprogrammed"},
        PulseCase{"AllShortAndLong", -50, 900, SelfTestCheck::Verdict::Fault,
                  "pulses shorter than requested"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoardSelfTest, ProjectsA27C256ReadAsTheSimulatedBoardTimesIt) {
  SimulatedApp f(toProgram("27C256"));
  const auto start = f.board.markCommand();
  f.app.Read_button_Click();
  const double simulated = static_cast<double>(f.board.counters().nowNs - start.nowNs) * 1e-9;
  EXPECT_NEAR(projected27C256(1000).readSeconds, simulated, simulated * 0.01);
}

TEST(BoardSelfTest, WithoutABoardTouchesNoPort) {
  SimulatedApp f({.wiring = Wiring::NoBoard});
  f.app.Form_Load();
  f.port.clear();
  f.app.testTheBoard(3);
  EXPECT_EQ(f.app.boardTest.report().outcome, SelfTestReport::Outcome::NoBoard);
  EXPECT_TRUE(f.port.lines.empty());
}

}  // namespace
}  // namespace burnlab::testing
