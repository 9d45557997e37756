#include "link/address_maps.h"

namespace burnlab {

void AddressMaps::fillIdentity() {
  for (std::size_t i = 0; i < Reg1AddressMap.size(); ++i) {
    Reg1AddressMap[i] = static_cast<std::int16_t>(i);
    Reg3AddressMap[i] = static_cast<std::int16_t>(i);
  }
}

void AddressMaps::buildFor(AddressWiring wiring) {
  fillIdentity();
  if (wiring == AddressWiring::A18OnPin1) {
    for (std::size_t high = 4; high <= 7; ++high) {
      Reg3AddressMap[high] = static_cast<std::int16_t>(high + 4);
    }
  }
  if (wiring == AddressWiring::A14OnReg1Bit7) {
    for (std::size_t mid = 64; mid <= 127; ++mid) {
      Reg1AddressMap[mid] = static_cast<std::int16_t>(mid + 64);
    }
  }
}

}  // namespace burnlab
