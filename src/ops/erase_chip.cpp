#include "ops/erase_chip.h"

#include "link/board.h"

namespace burnlab {

void EraseChip::EraseFlash_button_Click() {
  // The serial writers send FFh while it is set; the next Reset clears it.
  c_.board.EraseMode = 1;
  const auto& code = c_.device.DeviceCode;
  if (code == "EN") x28c256_.EraseX28C256(run_);
  if (code == "SA" || code == "SB") serial_.Write24CXX();
  if (code == "SC") serial_.Write24C32();
  // The flash chips' erase joins here with their routines.
  if (c_.device.DeviceFamily == "S") finishSerialErase();
}

void EraseChip::finishSerialErase() {
  if (bus_.AckError != 0) {
    reports_.ReportAckError();
    run_.ProgramFailed = 1;
    return;
  }
  auto& board = c_.board;
  c_.log.LogLine("Programming Device Successfull");
  c_.lamps.DataFlowLampOff();
  c_.lamps.ProgramLampOff();
  c_.sounds.PlayEventSound("OK");
  board.Reg0 = 0x40;
  board.SetReg0();
  c_.setProgressValue(0);
  bus_.leaveIdle();
}

}  // namespace burnlab
