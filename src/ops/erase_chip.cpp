#include "ops/erase_chip.h"

#include "link/board.h"
#include "ops/chip_write_routines.h"

namespace burnlab {

std::function<void()> EraseChip::routineFor(EraseRoutine routine) {
  return eraseRoutine(routine, {run_, x28c256_, serial_, flash_});
}

CommandOutcome EraseChip::EraseFlash_button_Click() {
  c_.checkStop();  // a stop asked before it began: nothing is written
  const int alerts = c_.errorAlerts;
  // The serial writers send FFh while it is set; the next Reset clears it.
  c_.board.EraseMode = 1;
  run_.ProgramFailed = 0;
  const auto routine = routineFor(c_.device.Routines.erase);
  if (routine) routine();
  if (c_.device.Family == DeviceFamilyKind::Serial) finishSerialErase();
  if (!routine) return CommandOutcome::notSupported("erase");
  return c_.outcomeSince(alerts);
}

void EraseChip::finishSerialErase() {
  if (bus_.AckError != 0) {
    reports_.ReportAckError();
    run_.ProgramFailed = 1;
    return;
  }
  if (run_.ProgramFailed != 0) return;  // the read-back found a byte not erased and said so
  auto& board = c_.board;
  c_.log.LogLine("Programming Device Successfull");
  c_.lamps.DataFlowLampOff();
  c_.lamps.ProgramLampOff();
  c_.sounds.PlayEventSound("OK");
  board.Reg0 = 0x40;
  board.SetReg0();
  c_.endProgress();
  bus_.leaveIdle();
}

}  // namespace burnlab
