#include "ops/device_programming.h"

#include "panel/branding.h"
#include "panel/colors.h"

namespace burnlab {

std::function<void()> DeviceProgramming::routineFor(std::string_view code) {
  if (code == "P1") return [this] { eprom_.P2732(); };
  if (code == "P2" || code == "P3") return [this] { eprom_.P2764_128(); };
  if (code == "P4" || code == "P8") return [this] { eprom_.P27256_040(); };
  if (code == "P5" || code == "P9") return [this] { eprom_.P27080(); };
  if (code == "P6" || code == "P7") return [this] { eprom_.P27010_020(); };
  if (code == "EN") return [this] { x28c256_.ProgramX28C256(run); };
  if (code == "FA") return [this] { flash_.at29c256.ProgramAT29C256(run); };
  if (code == "FL" || code == "FM" || code == "FR" || code == "FS") {
    return [this] { flash_.programming.ProgramFlash(run); };
  }
  if (code == "SA" || code == "SB") return [this] { serial_.Write24CXX(run); };
  if (code == "SC") return [this] { serial_.Write24C32(run); };
  return {};
}

void DeviceProgramming::Program_button_Click() {
  c_.checkStop();  // a stop asked before it began: nothing is written
  c_.display.setScrollValue(0);
  c_.board.address.LinearAddress = 0;
  c_.board.address.Endereco2Adr();
  if (c_.panel.CheckCode.checked) ProgramCode();
  if (c_.panel.CheckData.checked) ProgramData();
}

void DeviceProgramming::ProgramData() {
  c_.dialogs.message("Please Write A90S2313 Program Data Routine", kProgramTitle,
                     Dialogs::Icon::None);
}

void DeviceProgramming::ProgramCode() {
  auto& board = c_.board;
  c_.log.LogLine("Programming Button Pressed");
  if (!c_.dialogs.askOkCancel("Program the Device?", "Safety Question")) {
    c_.log.LogLine("Programming was Canceled by Operator");
    leaveBoardInFinalState();
    return;
  }
  // Serial EEPROMs are never blank-checked before programming.
  if (c_.panel.CheckBlankPriorProgramming.checked && c_.device.DeviceFamily != "S") {
    blankCheck_.Blank_button_Click();
  }
  // A failed blank check, or an earlier failure the operator has not cleared: write nothing.
  if (c_.panel.Error_label.foreColor == kWhite) {
    leaveBoardInFinalState();
    return;
  }
  if (!codeFitsOrOperatorAgrees()) {
    c_.log.LogLine("Programming was Canceled by Operator");
    leaveBoardInFinalState();
    return;
  }
  c_.options.BuildProgramImage(c_.buffers.codeImage());
  board.Reset();
  board.SETADR();
  c_.pause(500);
  run.startProgress(c_.options.image.ProgramSize);
  c_.lamps.DataFlowLampOn();
  c_.lamps.ProgramLampOn();
  runRoutine();
  if (c_.device.DeviceFamily == "S" && bus_.AckError != 0) {
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
}

bool DeviceProgramming::codeFitsOrOperatorAgrees() {
  const std::int32_t code = c_.buffers.CodeSize;
  const std::int32_t device = c_.device.DeviceSize;
  if (code < device) {
    // A serial EEPROM's last page is filled up with FFh; the pages after it are not written.
    const bool serial = c_.device.DeviceFamily == "S";
    c_.log.LogLine("The file gives " + std::to_string(code) + " of the device's " +
                   std::to_string(device) + " bytes: " +
                   (serial ? "the pages after it are not written" : "the rest stays erased (FFh)"));
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
  const auto routine = routineFor(c_.device.DeviceCode);
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

void DeviceProgramming::leaveBoardInFinalState() {
  auto& board = c_.board;
  if (c_.device.DeviceFamily != "S") {
    board.Reset();
    return;
  }
  bus_.leaveIdle();
}

}  // namespace burnlab
