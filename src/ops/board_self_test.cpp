#include "ops/board_self_test.h"

#include "link/hex_text.h"
#include "ops/chip_rereads.h"
#include "ops/port_access_timing.h"
#include "ops/pulse_timing.h"

namespace burnlab {
namespace {

using Fault = DataPathFinding::Fault;
using Verdict = SelfTestCheck::Verdict;

Verdict passedIf(bool passed) {
  return passed ? Verdict::Passed : Verdict::Fault;
}

constexpr std::uint8_t kReg3Identify = 0x20;  // model 6: pulls D4 low while REG4 is released
constexpr std::uint8_t kIdentifyLine = 0x10;  // D4

}  // namespace

void BoardSelfTest::run(int chipReads) {
  report_ = {};
  c_.log.LogLine(std::string(kLogPrefix) + "started");
  if (c_.board.Model == 0) {
    addCheck("Board", Verdict::Fault, "no board answered at any port");
    report_.outcome = SelfTestReport::Outcome::NoBoard;
    c_.log.LogLine(kLogPrefix + report_.summary());
    return;
  }
  c_.lamps.DataFlowLampOn();
  try {
    runChecks(chipReads);
  } catch (...) {
    // A stop (or anything else) in the middle: no line stays driven.
    finish();
    throw;
  }
  finish();
  if (report_.outcome == SelfTestReport::Outcome::Running) {
    bool passed = true;
    for (const auto& check : report_.checks) passed = passed && !check.fault();
    report_.outcome =
        passed ? SelfTestReport::Outcome::Passed : SelfTestReport::Outcome::FaultFound;
  }
  c_.log.LogLine(kLogPrefix + report_.summary());
}

void BoardSelfTest::step() {
  // Set whole each time: every Reset on the way (a read of the chip begins with one) empties
  // the bar.
  c_.setProgress(++stepsDone_, steps_);
  if (onProgress) onProgress();
}

void BoardSelfTest::runChecks(int chipReads) {
  // A step for each check, and one for each page of each read of the chip.
  const bool readsChip = chipReads > 0 && c_.device.selected() && c_.parallelFamily();
  const std::int32_t pages = readsChip ? (c_.device.DeviceSize + 255) / 256 : 0;
  c_.board.Reset();
  steps_ = 4 + chipReads * pages;
  stepsDone_ = 0;
  c_.setProgress(0, steps_);
  checkPort();
  step();
  checkPulses();
  step();
  const auto finding = checkDataPath();
  step();
  if (finding.fault == Fault::NoAnswer) {
    report_.outcome = SelfTestReport::Outcome::NoBoard;
    return;
  }
  if (c_.board.Model == 6) {
    // The identification line is seen through D4's read-back, which must be sound for it.
    if ((finding.badDataLines & kIdentifyLine) == 0) {
      checkIdentificationLine();
    } else {
      addCheck("Identification line", Verdict::NotDone, "the read-back of D4 is not sound");
    }
  }
  step();
  if (chipReads > 0) checkChipReads(chipReads);
}

void BoardSelfTest::finish() {
  auto& board = c_.board;
  // The bus released to the pull-ups, register 4 back at FFh as a read-back expects it.
  board.Reg4 = 0xFF;
  board.SetReg4();
  board.Reset();
  c_.lamps.DataFlowLampOff();
  c_.panel.ProgressBar1.value = 0;
  c_.view.repaint(c_.panel.ProgressBar1);
}

void BoardSelfTest::addCheck(const std::string& name, Verdict verdict, const std::string& text) {
  report_.checks.push_back({name, verdict, text});
  c_.log.LogLine(kLogPrefix + SelfTestReport::lineOf(report_.checks.back()));
  if (onCheck) onCheck(report_);
}

void BoardSelfTest::checkPort() {
  const auto& board = c_.board;
  const double accessNs = measurePortAccessNs(c_.board, monotonicNs_);
  std::string text = hexText(board.PortBase) + "h, BURNLAB-" + std::to_string(board.Model);
  if (!portKind.empty()) text += ", through " + portKind;
  text += "; " + portAccessText(accessNs);
  addCheck("Port", Verdict::Passed, text);
}

void BoardSelfTest::checkPulses() {
  // Timed on the clock the pulses keep their time by: on the simulated board too, this is the
  // PC's own precision, which a real board would get.
  const auto figures = measureProgramPulses(
      c_.board, [this] { return c_.platform.monotonicNs(); }, kPulses, [this] { c_.checkStop(); });
  const auto verdict = judgePulses(figures);
  const auto shown = verdict == PulseVerdict::Precise    ? Verdict::Passed
                     : verdict == PulseVerdict::TooShort ? Verdict::Fault
                                                         : Verdict::Warning;
  addCheck("Program pulse", shown, pulseText(figures, verdict));
}

PatternReading BoardSelfTest::readPattern(std::uint8_t pattern) {
  auto& board = c_.board;
  board.Reg4 = pattern;
  board.SetReg4();
  PatternReading reading{pattern, 0, 0};
  board.GetNibbles();
  reading.first = board.DataByte;
  board.GetNibbles();
  reading.second = board.DataByte;
  return reading;
}

DataPathFinding BoardSelfTest::checkDataPath() {
  auto& board = c_.board;
  // Reset has released CE and OE and switched every programming voltage off: a chip in the
  // socket leaves the bus to register 4, whose open-collector drivers the REG4 line enables.
  board.Reg4 = 0xFF;
  board.SetReg4();
  board.REG4ON();
  std::vector<PatternReading> readings;
  for (const auto pattern : dataPathPatterns()) {
    c_.checkStop();
    readings.push_back(readPattern(pattern));
  }
  board.Reg4 = 0xFF;
  board.SetReg4();
  board.REG4OFF();
  const auto finding = diagnoseDataPath(readings, board.Model);
  markLines(finding);
  addCheck("Data path", passedIf(finding.fault == Fault::None), finding.text);
  return finding;
}

void BoardSelfTest::markLines(const DataPathFinding& finding) {
  auto& lines = report_.lines;
  lines.tested = true;
  lines.statusBits = readBackStatusBits(c_.board.Model);
  switch (finding.fault) {
    case Fault::StatusLine:
      lines.statusOk[static_cast<std::size_t>(finding.line)] = false;
      return;
    case Fault::NoSelect:
      lines.selectOk = false;
      return;
    case Fault::NoAnswer:
      lines.statusOk = {false, false, false, false};
      return;
    case Fault::Shorted:
      lines.shorted = std::pair{finding.line, finding.other};
      break;
    default:
      break;
  }
  for (int line = 0; line < 8; ++line) {
    if (finding.badDataLines & (1u << line)) lines.dataOk[static_cast<std::size_t>(line)] = false;
  }
}

void BoardSelfTest::checkIdentificationLine() {
  auto& board = c_.board;
  // REG4 released: only the pull-ups and the identification line act on the bus.
  board.Reg3 = static_cast<std::int16_t>(board.Reg3 | kReg3Identify);
  board.SetReg3();
  board.GetNibbles();
  const std::uint8_t raised = board.DataByte;
  board.Reg3 = static_cast<std::int16_t>(board.Reg3 & ~kReg3Identify);
  board.SetReg3();
  board.GetNibbles();
  const std::uint8_t lowered = board.DataByte;
  const bool pulls = (raised & kIdentifyLine) == 0 && (lowered & kIdentifyLine) != 0;
  addCheck("Identification line", passedIf(pulls),
           pulls ? "it pulls D4 low"
                 : "the identification line does not pull D4 low: the board answers as a "
                   "BURNLAB-5");
}

void BoardSelfTest::checkChipReads(int reads) {
  if (!c_.device.selected()) {
    addCheck("Chip reads", Verdict::NotDone, "no device is chosen");
    return;
  }
  if (!c_.parallelFamily()) {
    addCheck("Chip reads", Verdict::NotDone, "only chips on the parallel bus are read");
    return;
  }
  const auto result =
      rereadChip(c_.board, c_.platform, c_.device.DeviceSize, reads, [this] { step(); });
  addCheck("Chip reads", passedIf(result.differing == 0), rereadText(result));
}

std::string SelfTestReport::summary() const {
  if (outcome == Outcome::NoBoard) return "no board answered";
  std::size_t faults = 0, warnings = 0, done = 0;
  for (const auto& check : checks) {
    faults += check.fault() ? 1 : 0;
    warnings += check.verdict == Verdict::Warning ? 1 : 0;
    done += check.verdict == Verdict::NotDone ? 0 : 1;
  }
  const auto count = std::to_string(done);
  std::string text = faults == 0 ? "all " + count + " checks passed"
                                 : std::to_string(faults) + " of " + count +
                                       (done == 1 ? " check" : " checks") + " found a fault";
  if (warnings == 0) return text;
  const auto warned = std::to_string(warnings);
  if (faults == 0)
    return text + ", " + warned + (warnings == 1 ? " with a warning" : " with warnings");
  return text + ", " + warned + (warnings == 1 ? " gave a warning" : " gave warnings");
}

std::string SelfTestReport::lineOf(const SelfTestCheck& check) {
  static constexpr const char* kVerdicts[] = {"OK", "FAULT", "not done", "WARNING"};
  std::string line = check.name + ": " + kVerdicts[static_cast<int>(check.verdict)];
  if (!check.text.empty()) line += ": " + check.text;
  return line;
}

}  // namespace burnlab
