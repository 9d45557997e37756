#include "ops/erase_chip.h"

#include "link/board.h"

namespace burnlab {

std::function<void()> EraseChip::routineFor(std::string_view code) {
  if (code == "EN") return [this] { x28c256_.EraseX28C256(run_); };
  if (code == "SA" || code == "SB") return [this] { serial_.Write24CXX(run_); };
  if (code == "SC") return [this] { serial_.Write24C32(run_); };
  if (code == "FL" || code == "FM" || code == "FR" || code == "FS") {
    return [this] { flash_.erase.EraseFlashChip(run_); };
  }
  if (code == "FA") return [this] { flash_.at29c256.EraseAT29C256(run_); };
  return {};
}

void EraseChip::EraseFlash_button_Click() {
  c_.checkStop();  // a stop asked before it began: nothing is written
  // The serial writers send FFh while it is set; the next Reset clears it.
  c_.board.EraseMode = 1;
  run_.ProgramFailed = 0;
  if (const auto routine = routineFor(c_.device.DeviceCode)) routine();
  if (c_.device.DeviceFamily == "S") finishSerialErase();
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
