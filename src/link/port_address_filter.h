#pragma once

#include "link/port_io.h"

namespace burnlab {

// Passes on only accesses to the registers of the three parallel ports. Anything else (such as
// addresses 0..2, derived from an unknown port) is refused quietly: nothing is touched and a read
// gives the floating-port value.
class PortAddressFilter final : public PortIo {
 public:
  explicit PortAddressFilter(PortIo& inner) : inner_(inner) {}
  void PortOut(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t PortIn(std::uint16_t address) override;
  void retryUnavailablePorts() override { inner_.retryUnavailablePorts(); }

 private:
  PortIo& inner_;
};

}  // namespace burnlab
