#include "ops/device_programming.h"

#include "ops/chip_write_routines.h"
#include "panel/branding.h"
#include "panel/colors.h"

namespace burnlab {

std::function<void()> DeviceProgramming::routineFor(ProgramRoutine routine) {
  return programRoutine(routine, eprom_, {run, x28c256_, serial_, flash_});
}

CommandOutcome DeviceProgramming::Program_button_Click() {
  c_.checkStop();  // a stop asked before it began: nothing is written
  c_.display.setScrollValue(0);
  c_.board.address.LinearAddress = 0;
  c_.board.address.Endereco2Adr();
  auto outcome = CommandOutcome::succeeded();
  if (c_.panel.CheckCode.checked) outcome = ProgramCode();
  if (c_.panel.CheckData.checked) ProgramData();
  return outcome;
}

void DeviceProgramming::ProgramData() {
  c_.dialogs.message("Please Write A90S2313 Program Data Routine", kProgramTitle,
                     Dialogs::Icon::None);
}

CommandOutcome DeviceProgramming::ProgramCode() {
  auto& board = c_.board;
  const int alerts = c_.errorAlerts;
  const auto cancelled = CommandOutcome::failed("the operator cancelled the programming");
  c_.log.LogLine("Programming Button Pressed");
  if (!c_.dialogs.askOkCancel("Program the Device?", "Safety Question")) {
    c_.log.LogLine("Programming was Canceled by Operator");
    leaveBoardInFinalState();
    return cancelled;
  }
  // Serial EEPROMs are never blank-checked before programming.
  if (c_.panel.CheckBlankPriorProgramming.checked && !serialEeprom()) {
    blankCheck_.Blank_button_Click();
  }
  // A failed blank check, or an earlier failure the operator has not cleared: write nothing.
  if (c_.panel.Error_label.foreColor == kWhite) {
    leaveBoardInFinalState();
    if (c_.errorAlerts != alerts) return c_.outcomeSince(alerts);
    return CommandOutcome::failed("an earlier failure is not cleared");
  }
  if (!codeFitsOrOperatorAgrees()) {
    c_.log.LogLine("Programming was Canceled by Operator");
    leaveBoardInFinalState();
    return cancelled;
  }
  c_.options.BuildProgramImage(c_.buffers.codeImage());
  board.Reset();
  board.SETADR();
  c_.pause(500);
  run.startProgress(c_.options.image.ProgramSize);
  c_.lamps.DataFlowLampOn();
  c_.lamps.ProgramLampOn();
  runRoutine();
  if (serialEeprom() && bus_.AckError != 0) {
    reports_.ReportAckError();
    run.ProgramFailed = 1;
  }
  reportOutcome();
  board.Reg0 = 0x40;
  board.SetReg0();
  c_.endProgress();
  if (c_.panel.VerifyAfterProgramming.checked && run.ProgramFailed == 0) {
    verify_.Verify_button_Click();
  }
  leaveBoardInFinalState();
  return outcomeOfRun(alerts);
}

CommandOutcome DeviceProgramming::outcomeOfRun(int alertsBefore) const {
  if (run.ProgramStatus == ProgrammingRun::kNoRoutine)
    return CommandOutcome::notSupported("program");
  // A routine that refused the device (a flash chip of an unknown maker) has logged why.
  if (run.ProgramStatus == ProgrammingRun::kRoutineRefused) {
    return CommandOutcome::failed("the routine refused the device");
  }
  return c_.outcomeSince(alertsBefore);
}

bool DeviceProgramming::codeFitsOrOperatorAgrees() {
  const std::int32_t code = c_.buffers.CodeSize;
  const std::int32_t device = c_.device.DeviceSize;
  if (code < device) {
    // A serial EEPROM's last page is filled up with FFh; the pages after it are not written.
    c_.log.LogLine(
        "The file gives " + std::to_string(code) + " of the device's " + std::to_string(device) +
        " bytes: " +
        (serialEeprom() ? "the pages after it are not written" : "the rest stays erased (FFh)"));
  }
  if (code <= device) return true;
  const std::int32_t cut = code - device;
  c_.log.LogLine("The file is " + std::to_string(code) + " bytes long: its last " +
                 std::to_string(cut) + " bytes do not fit the device's " + std::to_string(device) +
                 " and are not programmed");
  if (longerCodeAccepted) return true;
  return c_.dialogs.askOkCancel("The file is " + std::to_string(cut) +
                                    " bytes longer than the device. Program only its first " +
                                    std::to_string(device) + " bytes?",
                                "File Too Big");
}

void DeviceProgramming::runRoutine() {
  run.ProgramFailed = 0;
  run.ProgramStatus = ProgrammingRun::kNoRoutine;
  const auto routine = routineFor(c_.device.Routines.program);
  if (!routine) return;
  run.ProgramStatus = ProgrammingRun::kRoutineStarted;
  routine();
}

void DeviceProgramming::reportOutcome() {
  if (run.ProgramFailed == 0 && run.ProgramStatus == ProgrammingRun::kRoutineStarted) {
    c_.log.LogLine("Programming Device Successfull");
    c_.lamps.DataFlowLampOff();
    c_.lamps.ProgramLampOff();
    c_.sounds.PlayEventSound("OK");
  }
  if (run.ProgramStatus == ProgrammingRun::kNoRoutine) {
    c_.log.LogLine("Device Not Supported - Status 9 - Please Report");
    c_.sounds.PlayEventSound("ERROR");
  }
  // A routine that refused the device has logged why.
}

bool DeviceProgramming::serialEeprom() const {
  return c_.device.Family == DeviceFamilyKind::Serial;
}

void DeviceProgramming::leaveBoardInFinalState() {
  auto& board = c_.board;
  if (!serialEeprom()) {
    board.Reset();
    return;
  }
  bus_.leaveIdle();
}

}  // namespace burnlab
