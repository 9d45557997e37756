#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "link/port_io.h"

namespace burnlab {

// Writes every access that passes through it, one line each: "out 0378 9F" or "in 0379 78"
// (4 upper-case hex digits of address, 2 of value). Tests, bug reports and benchmarks share it.
class TracingPort final : public PortIo {
 public:
  TracingPort(PortIo& inner, std::ostream& out) : inner_(inner), out_(out) {}
  void PortOut(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t PortIn(std::uint16_t address) override;
  void retryUnavailablePorts() override { inner_.retryUnavailablePorts(); }

 private:
  PortIo& inner_;
  std::ostream& out_;
};

// One trace line without its line end, e.g. traceLine("out", 0x378, 0x9F) == "out 0378 9F".
std::string traceLine(const char* word, std::uint16_t address, std::uint8_t value);

}  // namespace burnlab
