#pragma once

#include <functional>

#include "ops/flash_devices.h"
#include "ops/operation_context.h"
#include "ops/operation_reports.h"
#include "ops/programming_run.h"
#include "ops/serial_eeprom_write.h"
#include "ops/two_wire_bus.h"
#include "ops/x28c256_eeprom.h"

namespace burnlab {

// Erase Chip: every byte of an erasable chip back to FFh. The X28C256 is programmed with an
// image of FFh; the serial EEPROMs are written with FFh in place of the buffer's bytes.
class EraseChip {
 public:
  EraseChip(OperationContext& context, OperationReports& reports, ProgrammingRun& run,
            X28C256Eeprom& x28c256, SerialEepromWrite& serial, TwoWireBus& bus, FlashDevices& flash)
      : c_(context),
        reports_(reports),
        run_(run),
        x28c256_(x28c256),
        serial_(serial),
        bus_(bus),
        flash_(flash) {}

  CommandOutcome EraseFlash_button_Click();
  // The erase routine of that kind; empty for None.
  std::function<void()> routineFor(EraseRoutine routine);

 private:
  // A serial EEPROM's ending: the acknowledge error, or the success lines and the bus idle.
  void finishSerialErase();

  OperationContext& c_;
  OperationReports& reports_;
  ProgrammingRun& run_;
  X28C256Eeprom& x28c256_;
  SerialEepromWrite& serial_;
  TwoWireBus& bus_;
  FlashDevices& flash_;
};

}  // namespace burnlab
