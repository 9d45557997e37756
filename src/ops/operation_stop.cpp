#include "ops/operation_stop.h"

namespace burnlab {

CommandOutcome OperationStop::run(const std::function<CommandOutcome()>& command) {
  if (c_.commandRunning) return command();  // part of the running command: a stop ends that one
  c_.commandRunning = true;
  CommandOutcome outcome;
  try {
    outcome = command();
  } catch (const OperationStopped& stopped) {
    outcome = CommandOutcome::stopped(stopped.reason);
  } catch (...) {
    c_.commandRunning = false;
    withdrawStop();
    throw;
  }
  c_.commandRunning = false;
  withdrawStop();
  if (outcome.wasStopped()) endStoppedCommand();
  return outcome;
}

void OperationStop::Stop_button_Click() {
  if (c_.commandRunning) c_.stop.request(StopRequest::kByOperator);
}

void OperationStop::endStoppedCommand() {
  // Whatever sequence was in flight is abandoned: no programming voltage stays on the chip.
  c_.board.Reset();
  c_.lamps.DataFlowLampOff();
  c_.lamps.ProgramLampOff();
  c_.panel.Verify_button.backColor = kButtonFace;
  // Set directly: a progress step would see the request, which is still set, and stop again.
  c_.panel.ProgressBar1.value = 0;
  c_.view.repaint(c_.panel.ProgressBar1);
  // The page shown is drawn again from the buffer, which a stopped read has partly filled.
  if (c_.display.DisplaySource == "Read") c_.display.DisplayPageMemory();
}

void OperationStop::withdrawStop() {
  if (!c_.panel.Stop_button.enabled) return;
  c_.panel.Stop_button.enabled = false;
  c_.view.repaint(c_.panel.Stop_button);
}

}  // namespace burnlab
