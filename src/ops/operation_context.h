#pragma once

#include "buffers/buffers.h"
#include "buffers/hex_display.h"
#include "devices/programming_options.h"
#include "link/board.h"
#include "ops/command_outcome.h"
#include "ops/stop_request.h"
#include "panel/dialogs.h"
#include "panel/event_sounds.h"
#include "panel/lamps.h"
#include "panel/panel.h"
#include "panel/platform.h"
#include "panel/selected_device.h"
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
  StopRequest& stop;
  // Whether an operator's command is running (OperationStop::run): its progress steps then
  // offer the Stop button.
  bool commandRunning = false;
  // The error alerts raised so far, and the reason of the last one.
  int errorAlerts = 0;
  std::string lastFailure = {};

  // A failed operation's report: the Error lamp and the saved button states, the reason kept
  // for the command's outcome.
  void raiseErrorAlert(std::string reason) {
    ++errorAlerts;
    lastFailure = std::move(reason);
    lamps.RaiseErrorAlert();
  }
  // What a command that began when `alertsBefore` alerts had been raised came to: failed when
  // it raised one since.
  CommandOutcome outcomeSince(int alertsBefore) const {
    if (errorAlerts == alertsBefore) return CommandOutcome::succeeded();
    return CommandOutcome::failed(lastFailure);
  }

  // Runs a Read or Blank Check: its code half when Code is ticked, its data half when Data is,
  // after a stop check (a stop asked before it began writes nothing). Not supported when Code
  // is ticked and the device has no routine for it.
  template <class CodeHalf, class DataHalf>
  CommandOutcome runCodeAndData(bool hasCodeRoutine, const char* command, CodeHalf code,
                                DataHalf data) {
    checkStop();
    const int alerts = errorAlerts;
    const bool unsupported = panel.CheckCode.checked && !hasCodeRoutine;
    if (panel.CheckCode.checked) code();
    if (panel.CheckData.checked) data();
    if (unsupported) return CommandOutcome::notSupported(command);
    return outcomeSince(alerts);
  }

  // Ends the command here when a stop was asked for (OperationStopped). Every progress step
  // and pause passes through it, and every device command starts with it, so that a stop asked
  // before the command began (a signal during start-up) ends it before its first board write.
  void checkStop() const {
    if (stop.requested()) throw OperationStopped{stop.reason()};
  }
  // A real pause of `milliseconds`, slept in short slices so that a stop request ends it
  // promptly.
  void pause(int milliseconds) {
    constexpr int kSliceMs = 50;
    for (int left = milliseconds; left > 0; left -= kSliceMs) {
      checkStop();
      platform.Sleep(left < kSliceMs ? left : kSliceMs);
    }
    checkStop();
  }

  // The progress bar, drawn at once: the loops that move it never return to the event loop.
  void setProgress(std::int32_t value, std::int32_t maximum) {
    panel.ProgressBar1.max = maximum;
    setProgressValue(value);
  }
  void setProgressValue(std::int32_t value) {
    checkStop();
    showProgress(value);
  }
  void advanceProgress(std::int32_t by) { setProgressValue(panel.ProgressBar1.value + by); }
  // The bar empties as a command's work is done. That is no step: a stop asked too late for the
  // last step leaves the finished command to end as it would, and reports no stop.
  void endProgress() { showProgress(0); }
  void showProgress(std::int32_t value) {
    if (commandRunning && !panel.Stop_button.enabled) {
      panel.Stop_button.enabled = true;
      view.repaint(panel.Stop_button);
    }
    panel.ProgressBar1.value = value;
    view.repaint(panel.ProgressBar1);
  }

  // The devices Read and Blank Chk reach over the parallel bus: the EPROMs, the flash chips
  // and the X28C256.
  bool parallelFamily() const { return device.Routines.read == ReadRoutine::ParallelBus; }
};

}  // namespace burnlab
