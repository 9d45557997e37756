#pragma once

#include "link/lpt_addresses.h"
#include "link/port_io.h"

namespace burnlab {

// No parallel port at all: writes go nowhere and every read is the floating-port value, so the
// board search sees no board and the program stays usable for file and buffer work.
class NullPort final : public PortIo {
 public:
  void PortOut(std::uint16_t, std::uint8_t) override {}
  std::uint8_t PortIn(std::uint16_t) override { return kFloatingStatus; }
};

}  // namespace burnlab
