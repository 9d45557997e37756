#pragma once

#include <array>
#include <cstdint>

namespace burnlab {

// Where a chip's address lines sit on the socket, where it differs from the EPROMs'.
enum class AddressWiring {
  Standard,
  A18OnPin1,     // the 32-pin flash chips: A18 on socket pin 1 (register-3 bit 3), not pin 31
  A14OnReg1Bit7  // the X28C256: A14 on register-1 bit 7 instead of bit 6
};

// Which board-register bits carry the upper address bytes: entry AddrMid of Reg1AddressMap is
// the register-1 pattern, entry AddrHigh of Reg3AddressMap the register-3 low nibble. Some chips
// have an address line on a socket pin that another chip uses for a different address bit.
struct AddressMaps {
  std::array<std::int16_t, 256> Reg1AddressMap{};
  std::array<std::int16_t, 256> Reg3AddressMap{};

  // Every entry i := i (start-up).
  void fillIdentity();

  // The maps for a chip wired as `wiring`: identity, then its own lines moved.
  void buildFor(AddressWiring wiring);
};

}  // namespace burnlab
