#pragma once

#include <cstdint>

#include "ops/operation_context.h"

namespace burnlab {

// What every programming routine shares during one Program command: the byte being written,
// the run's status and failure flags, the progress-bar pacing, reading a byte back and the
// failure report.
class ProgrammingRun {
 public:
  explicit ProgrammingRun(OperationContext& context) : c_(context) {}

  // Where the command stands: 9 before a routine is chosen, 1 once one has started, 0 when a
  // routine refused the device (it has then logged why).
  static constexpr std::int16_t kNoRoutine = 9;
  static constexpr std::int16_t kRoutineStarted = 1;
  static constexpr std::int16_t kRoutineRefused = 0;

  // The byte to be written at the current address; the failure report prints it.
  std::uint8_t ProgramByte = 0xFF;
  std::int16_t ProgramStatus = kNoRoutine;
  // Set by the failure report (and a serial EEPROM that does not acknowledge); while it is 1
  // no success is reported and no verify follows.
  std::int16_t ProgramFailed = 0;
  // The progress bar moves by one every ProgressStep addresses (pages for page writes).
  std::int32_t ProgressStep = 0;
  std::int32_t ProgressCount = 0;

  // The bar paced for `programSize` addresses: one step of 100 per ProgramSize \ 99 of them.
  // Below 99 addresses the step is 0 and the bar stays still.
  void startProgress(std::int32_t programSize);

  // Reads the byte the chip puts on the bus into DataByte: the board's drive is released (all
  // ones, then the REG4 line off) before the nibbles are read. The caller has loaded the
  // address and set the chip-enable and output-enable lines it wants.
  void ReadBackByte();

  // One address (or page) done: the bar moves every ProgressStep calls. A stop request ends
  // the command here.
  void GoProgressiveBar1();

  // A byte that never read back right: programming voltage off, the chip released, the three
  // report lines, the error alert and the error sound.
  void ReportProgramFailure();

 private:
  OperationContext& c_;
};

}  // namespace burnlab
