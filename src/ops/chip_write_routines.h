#pragma once

#include <functional>

#include "ops/eprom_programming.h"
#include "ops/flash_devices.h"
#include "ops/programming_run.h"
#include "ops/serial_eeprom_write.h"
#include "ops/x28c256_eeprom.h"
#include "panel/selected_device.h"

namespace burnlab {

// The routines that write a chip, as Program and Erase Chip reach them. The catalogue row names
// the routine of each device by its kind; this is the one place that turns a kind into the code
// that runs it.
struct ChipWriters {
  ProgrammingRun& run;
  X28C256Eeprom& x28c256;
  SerialEepromWrite& serial;
  FlashDevices& flash;
};

// Program's routine of that kind; empty for None.
std::function<void()> programRoutine(ProgramRoutine routine, EpromProgramming& eprom,
                                     const ChipWriters& writers);

// Erase Chip's routine of that kind; empty for None.
std::function<void()> eraseRoutine(EraseRoutine routine, const ChipWriters& writers);

}  // namespace burnlab
