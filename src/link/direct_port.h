#pragma once

#include <string>

#include "link/port_io.h"

namespace burnlab {

// Port access by the processor's in/out instructions, after ioperm(2) granted the three
// parallel ports' registers. Needs root (CAP_SYS_RAWIO) and an x86 machine.
class DirectPort final : public PortIo {
 public:
  // Asks for access to the three ports; an empty result means granted, otherwise the reason.
  static std::string requestAccess();

  void PortOut(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t PortIn(std::uint16_t address) override;
};

}  // namespace burnlab
