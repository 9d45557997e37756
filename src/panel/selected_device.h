#pragma once

#include <cstdint>
#include <string>

namespace burnlab {

// The device the operator has chosen in the Device list, with the programming voltage chosen
// for it, as the buffers, the display and the device commands read it. Device selection fills
// it; until a device is chosen every field is empty.
struct SelectedDevice {
  // Family letter and sub-code, e.g. "P4" or "MJ" (the one device with a data buffer).
  std::string DeviceCode;

  std::string DeviceName;     // the list text, blanks trimmed at both ends
  std::string DeviceFamily;   // "P", "F", "E", "S" or "M"
  std::string DeviceSubCode;  // tells the devices of a family apart
  std::int32_t DeviceSizeKB = 0;
  std::int32_t DeviceSize = 0;   // bytes; file loading does not change it
  std::int16_t VppClass = 0;     // 0 none, 1 12.5 V, 2 12.5/21 V, 3 12.5/21/25 V
  std::int16_t ProgVoltage = 0;  // volts the EPROM routines switch to: 12 (12.5 V), 21 or 25
  std::string MessageText;       // the size and voltage line of the last selection

  bool selected() const { return !DeviceCode.empty(); }
  bool hasDataBuffer() const { return DeviceCode == "MJ"; }
};

}  // namespace burnlab
