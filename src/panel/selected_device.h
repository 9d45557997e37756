#pragma once

#include <cstdint>
#include <string>

namespace burnlab {

// The device families of the catalogue (the family letters "P", "F", "E", "S" and "M").
enum class DeviceFamilyKind { None, UvEprom, Flash, ParallelEeprom, Serial, Micro };

// The routine each device command runs on a device, as its catalogue row names it; None where
// the program has no such routine for it. The device commands map each kind to their code.
enum class ReadRoutine {
  None,
  ParallelBus,        // every address in turn over the board's parallel bus
  TwoWire,            // the two-wire bus, one address byte (24C08, 24C16)
  TwoWireWordAddress  // the two-wire bus, two address bytes (24C32)
};
enum class BlankCheckRoutine { None, ParallelBus };
enum class ProgramRoutine {
  None,
  Eprom2732,                // 2716, 2732A, 2732B, 2732, 27C32
  Eprom2764,                // 2764, 27C64, 27128, 27C128
  Eprom27256,               // 27256, 27C256
  Eprom27C040,              // 27C4001, 27C040
  Eprom27C080,              // 27C512, 27C801, 27C080
  Eprom27C010,              // 27C1001, 27C010, 27C2001, 27C020
  X28C256Pages,             // the X28C256's page writes
  AT29C256Pages,            // the AT29C256's page writes
  SectorFlash,              // the 32-pin flash chips' byte program commands
  TwoWirePages,             // 24C08, 24C16
  TwoWireWordAddressPages,  // 24C32
};
enum class EraseRoutine {
  None,
  X28C256Pages,  // an image of FFh programmed
  AT29C256Chip,
  SectorFlashChip,
  TwoWirePages,  // FFh written in place of the buffer's bytes
  TwoWireWordAddressPages,
};
// The live page of Display: how each of its addresses is loaded.
enum class DisplayRoutine { None, EpromPage, X28C256Page, FlashPage };
// How a flash chip is told its commands and gives its identification codes.
enum class IdentifyRoutine { None, SectorFlashCommands, AT29C256Commands };

struct DeviceRoutines {
  ReadRoutine read = ReadRoutine::None;
  BlankCheckRoutine blankCheck = BlankCheckRoutine::None;
  ProgramRoutine program = ProgramRoutine::None;
  EraseRoutine erase = EraseRoutine::None;
  DisplayRoutine display = DisplayRoutine::None;
  IdentifyRoutine identify = IdentifyRoutine::None;

  // Read, Verify and Compare go over the two-wire bus.
  bool twoWire() const {
    return read == ReadRoutine::TwoWire || read == ReadRoutine::TwoWireWordAddress;
  }
};

// What a device offers beside its routines.
struct DeviceOffers {
  bool dataBuffer = false;  // a data memory beside its code (the AT90S2313)
  bool protection = false;  // data protection the operator may switch on after programming
  // Unsupported only because it was never tried on real hardware: it works on the simulated
  // board, and the operator may opt in to choosing it.
  bool untested = false;
};

// The device the operator has chosen in the Device list, with the programming voltage chosen
// for it, as the buffers, the display and the device commands read it. Device selection fills
// it from the catalogue row; until a device is chosen every field is empty.
struct SelectedDevice {
  // Family letter and sub-code, e.g. "P4" or "MJ", as the setup files and the log know it.
  std::string DeviceCode;

  std::string DeviceName;     // the list text, blanks trimmed at both ends
  std::string DeviceFamily;   // "P", "F", "E", "S" or "M"
  std::string DeviceSubCode;  // tells the devices of a family apart
  std::int32_t DeviceSizeKB = 0;
  std::int32_t DeviceSize = 0;   // bytes; file loading does not change it
  std::int16_t VppClass = 0;     // 0 none, 1 12.5 V, 2 12.5/21 V, 3 12.5/21/25 V
  std::int16_t ProgVoltage = 0;  // volts the EPROM routines switch to: 12 (12.5 V), 21 or 25
  std::string MessageText;       // the size and voltage line of the last selection

  // The same device as the commands branch on it.
  DeviceFamilyKind Family = DeviceFamilyKind::None;
  DeviceRoutines Routines;
  DeviceOffers Offers;

  bool selected() const { return !DeviceCode.empty(); }
  bool hasDataBuffer() const { return Offers.dataBuffer; }
};

}  // namespace burnlab
