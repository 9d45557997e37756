#include "ops/blank_check.h"

#include "ops/whole_chip_scan.h"

namespace burnlab {

CommandOutcome BlankCheck::Blank_button_Click() {
  return c_.runCodeAndData(
      hasCodeRoutine(), "blank check", [this] { BlankCheckCode(); }, [this] { BlankCheckData(); });
}

void BlankCheck::BlankCheckCode() {
  if (hasCodeRoutine()) {
    BlankCheckParallel();
    return;
  }
  c_.dialogs.message("Please Write Missing Routines at BLANKCODE", "Missing Routine",
                     Dialogs::Icon::None);
}

void BlankCheck::BlankCheckData() {
  c_.dialogs.message("Please Write AT90S2313 Check Blank Eeprom Routine", "Routine Not Ready",
                     Dialogs::Icon::None);
}

void BlankCheck::BlankCheckParallel() {
  auto& board = c_.board;
  c_.lamps.DataFlowLampOn();
  c_.log.LogLine("Checking Device for BLANK (Erased)... Wait");
  startWholeChipScan(c_.board, c_.platform);
  c_.setProgress(0, c_.buffers.CodeSize / 256);
  board.DelayLoop100();
  const auto pages =
      scanPageCount(c_.buffers.CodeSize, static_cast<std::int32_t>(c_.buffers.CodeBuffer.size()));
  const bool blank = scanWholeChip(
      board, pages, [this] { c_.advanceProgress(1); }, [](Board& b) { return b.DataByte == 0xFF; });
  if (!blank) {
    reports_.ReportNotBlank(scanAddress(board));
    return;
  }
  c_.lamps.DataFlowLampOff();
  c_.log.LogLine("Device IS BLANK (ERASED)");
  c_.endProgress();
  c_.sounds.PlayEventSound("OK");
  board.Reset();
}

}  // namespace burnlab
