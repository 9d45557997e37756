#include "link/port_address_filter.h"

#include "link/lpt_addresses.h"

namespace burnlab {

void PortAddressFilter::PortOut(std::uint16_t address, std::uint8_t value) {
  if (lptBaseOf(address)) inner_.PortOut(address, value);
}

std::uint8_t PortAddressFilter::PortIn(std::uint16_t address) {
  return lptBaseOf(address) ? inner_.PortIn(address) : kFloatingStatus;
}

}  // namespace burnlab
