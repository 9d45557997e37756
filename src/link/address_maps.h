#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace burnlab {

// Which board-register bits carry the upper address bytes: entry AddrMid of Reg1AddressMap is
// the register-1 pattern, entry AddrHigh of Reg3AddressMap the register-3 low nibble. Some chips
// have an address line on a socket pin that another chip uses for a different address bit.
struct AddressMaps {
  std::array<std::int16_t, 256> Reg1AddressMap{};
  std::array<std::int16_t, 256> Reg3AddressMap{};

  // Every entry i := i (start-up).
  void fillIdentity();

  // The maps for a device: identity, then the flash chips ("FL", "FM", "FR", "FS") take A18 on
  // socket pin 1 (register-3 bit 3) instead of pin 31, and the X28C256 ("EN") takes A14 on
  // register-1 bit 7 instead of bit 6.
  void buildFor(std::string_view deviceCode);
};

}  // namespace burnlab
