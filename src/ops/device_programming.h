#pragma once

#include <functional>

#include "ops/blank_check.h"
#include "ops/device_verify.h"
#include "ops/eprom_programming.h"
#include "ops/flash_devices.h"
#include "ops/operation_reports.h"
#include "ops/programming_run.h"
#include "ops/serial_eeprom_write.h"
#include "ops/two_wire_bus.h"
#include "ops/x28c256_eeprom.h"

namespace burnlab {

// Program: asks the operator, blank-checks the chip first if asked to, builds the image,
// runs the routine the selected device's catalogue row names, reports the outcome, verifies
// afterwards if asked to, and leaves the board in its final state.
class DeviceProgramming {
 public:
  DeviceProgramming(OperationContext& context, OperationReports& reports, BlankCheck& blankCheck,
                    DeviceVerify& verify, TwoWireBus& bus, X28C256Eeprom& x28c256,
                    SerialEepromWrite& serial, FlashDevices& flash)
      : run(context),
        c_(context),
        reports_(reports),
        blankCheck_(blankCheck),
        verify_(verify),
        bus_(bus),
        eprom_(context, run),
        x28c256_(x28c256),
        serial_(serial),
        flash_(flash) {}

  CommandOutcome Program_button_Click();
  CommandOutcome ProgramCode();
  void ProgramData();

  // The routine of that kind; empty for None.
  std::function<void()> routineFor(ProgramRoutine routine);

  // The byte, status and failure flags and the progress pacing of the last run.
  ProgrammingRun run;
  // A code longer than the device is programmed as far as the device reaches without asking
  // (the terminal's --truncate); otherwise the operator is asked, Cancel the default.
  bool longerCodeAccepted = false;

 private:
  // Says in one log line, before anything is written, that a short code leaves the rest of the
  // chip erased, or how much of a long one does not fit; a long one is cut only when the
  // operator agrees (or agreed beforehand). False when the operator cancelled.
  bool codeFitsOrOperatorAgrees();
  void runRoutine();
  void reportOutcome();
  // What a run that began with `alertsBefore` error alerts came to.
  CommandOutcome outcomeOfRun(int alertsBefore) const;
  void leaveBoardInFinalState();
  // The serial EEPROMs are never blank-checked first, end with the two-wire bus idle, and are
  // written in whole pages.
  bool serialEeprom() const;

  OperationContext& c_;
  OperationReports& reports_;
  BlankCheck& blankCheck_;
  DeviceVerify& verify_;
  TwoWireBus& bus_;
  EpromProgramming eprom_;
  X28C256Eeprom& x28c256_;
  SerialEepromWrite& serial_;
  FlashDevices& flash_;
};

}  // namespace burnlab
