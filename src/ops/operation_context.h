#pragma once

#include "buffers/buffers.h"
#include "buffers/hex_display.h"
#include "devices/programming_options.h"
#include "devices/selected_device.h"
#include "link/board.h"
#include "panel/dialogs.h"
#include "panel/event_sounds.h"
#include "panel/lamps.h"
#include "panel/panel.h"
#include "panel/platform.h"
#include "panel/system_log.h"
#include "panel/view.h"

namespace burnlab {

// What the device commands work with: the board, the buffers, the selected device and the
// window's reporting channels.
struct OperationContext {
  Panel& panel;
  Board& board;
  Buffers& buffers;
  SelectedDevice& device;
  SystemLog& log;
  Lamps& lamps;
  EventSounds& sounds;
  Dialogs& dialogs;
  Platform& platform;
  View& view;
  HexDisplay& display;
  ProgrammingOptions& options;

  // The progress bar, drawn at once: the loops that move it never return to the event loop.
  void setProgress(std::int32_t value, std::int32_t maximum) {
    panel.ProgressBar1.max = maximum;
    setProgressValue(value);
  }
  void setProgressValue(std::int32_t value) {
    panel.ProgressBar1.value = value;
    view.repaint(panel.ProgressBar1);
  }
  void advanceProgress(std::int32_t by) { setProgressValue(panel.ProgressBar1.value + by); }

  // The board ready for a whole-chip loop from address 0: reset, the address loaded, half a
  // second for the chip to settle, the bus released, chip and output enable asserted (they
  // stay so for the whole loop).
  void startWholeChipScan() {
    board.Reset();
    board.address.LinearAddress = 0;
    board.address.Endereco2Adr();
    board.SETADR();
    platform.Sleep(500);
    board.REG4OFF();
    board.CEOEON();
  }

  bool parallelFamily() const {
    return device.DeviceFamily == "P" || device.DeviceCode == "EN" || device.DeviceFamily == "F";
  }
};

// The reports of a failed device operation: each raises the error alert and logs its lines.
class OperationReports {
 public:
  explicit OperationReports(OperationContext& context) : c_(context) {}

  void ReportNotBlank(std::int32_t address);
  void ReportVerifyMismatch(std::int32_t address);
  void ReportAckError();

  // Set by ReportVerifyMismatch; cleared when a Verify command starts.
  std::int16_t VerifyFailed = 0;

 private:
  OperationContext& c_;
};

}  // namespace burnlab
