#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "ops/data_path_diagnosis.h"
#include "ops/operation_context.h"
#include "ops/self_test_report.h"

namespace burnlab {

// Test the Board: the board checks its own wiring before a chip is at stake. With the
// programming voltages off, CE and OE released (a chip in the socket does not drive the bus),
// register 4 drives test patterns onto the socket's data bus and the program's own read-back
// reads them through the status lines; the readings name a stuck or shorted data line, a
// status line that never changes, a nibble select that does not switch, and on model 6 an
// identification line that does not pull D4. It also times one port access and the program
// pulses (a pulse shorter than asked for is a fault, one much too long a warning), and with a
// device chosen reads the chip in the socket several times to find bytes that do not read the same
// twice (a loose chip, a bad contact). Every exit, a stop included, leaves the board as Reset
// leaves it.
class BoardSelfTest {
 public:
  // `monotonicNs` reads the time the port access is measured with.
  BoardSelfTest(OperationContext& context, std::function<std::uint64_t()> monotonicNs)
      : c_(context), monotonicNs_(std::move(monotonicNs)) {}

  // Runs every check; `chipReads` whole reads of the chip in the socket (0: the chip is not
  // read). The report grows as the checks end, and is kept when a stop ends the test.
  void run(int chipReads);
  const SelfTestReport& report() const { return report_; }

  // The clock the port access is timed on from now on: on the simulated board, its own clock,
  // so that the cost is the one it projects for a real port.
  void measureWith(std::function<std::uint64_t()> monotonicNs) {
    monotonicNs_ = std::move(monotonicNs);
  }

  // Told after every check, with the report as it stands (the window's drawing of the lines),
  // and after every step of the progress bar.
  std::function<void(const SelfTestReport&)> onCheck;
  std::function<void()> onProgress;
  // How the program reaches the port ("ppdev", "direct I/O", "the simulated board"), for the
  // port's line; empty: not said.
  std::string portKind;

  static constexpr int kDefaultChipReads = 3;
  static constexpr int kPulses = 1000;  // program pulses timed
  static constexpr const char* kLogPrefix = "Board Test: ";

 private:
  void runChecks(int chipReads);
  void checkPort();
  void checkPulses();
  DataPathFinding checkDataPath();
  void checkIdentificationLine();
  void checkChipReads(int reads);
  void addCheck(const std::string& name, SelfTestCheck::Verdict verdict, const std::string& text);
  void finish();
  void step();

  PatternReading readPattern(std::uint8_t pattern);
  void markLines(const DataPathFinding& finding);

  OperationContext& c_;
  std::function<std::uint64_t()> monotonicNs_;
  SelfTestReport report_;
  std::int32_t steps_ = 0;
  std::int32_t stepsDone_ = 0;
};

}  // namespace burnlab
