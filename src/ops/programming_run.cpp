#include "ops/programming_run.h"

namespace burnlab {

void ProgrammingRun::startProgress(std::int32_t programSize) {
  ProgressStep = programSize / 99;
  ProgressCount = 0;
  // Page writes and flash set other maxima; an EPROM run counts up to 99 of 100.
  c_.setProgress(0, 100);
}

void ProgrammingRun::ReadBackByte() {
  auto& board = c_.board;
  // Register 4 drives the bus through open collectors: all ones lets the chip's output through.
  board.Reg4 = 0xFF;
  board.SetReg4();
  board.DelayLoop10();
  board.REG4OFF();
  board.DelayLoop10();
  board.GetNibbles();
}

void ProgrammingRun::GoProgressiveBar1() {
  c_.checkStop();
  ++ProgressCount;
  if (ProgressCount != ProgressStep) return;
  c_.advanceProgress(1);
  ProgressCount = 0;
}

}  // namespace burnlab
