#pragma once

#include "panel/panel.h"
#include "panel/selected_device.h"

namespace burnlab {

// The device commands the window offers for a device. Read, Display and (once a code is
// loaded) Program and Verify are offered for every device; a serial EEPROM's Display changes
// the frame caption and shows nothing, as it always has. The rest follow the device's
// routines and offers.
struct OfferedCommands {
  bool blankCheck = false;  // Blank Chk
  bool eraseChip = false;   // Erase Chip, with the flash menu's Show Code ID beside it
  bool protection = false;  // Protect the EEPROM after programming
};
OfferedCommands offeredCommands(const DeviceRoutines& routines, const DeviceOffers& offers);

// Returns the window to the state in which nothing may run: every device command, every
// voltage option and every data-buffer control disabled. Start-up calls it once; choosing a
// device calls it before enabling what that device allows.
void DisableDeviceCommands(Panel& panel);

// Enables Read and Display, and what `offered` offers.
void EnableDeviceCommands(Panel& panel, const OfferedCommands& offered);

}  // namespace burnlab
