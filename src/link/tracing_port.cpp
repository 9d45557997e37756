#include "link/tracing_port.h"

#include <array>
#include <cstdio>

namespace burnlab {

std::string traceLine(const char* word, std::uint16_t address, std::uint8_t value) {
  std::array<char, 16> line{};
  std::snprintf(line.data(), line.size(), "%s %04X %02X", word, address, value);
  return line.data();
}

void TracingPort::PortOut(std::uint16_t address, std::uint8_t value) {
  inner_.PortOut(address, value);
  out_ << traceLine("out", address, value) << '\n';
}

std::uint8_t TracingPort::PortIn(std::uint16_t address) {
  const auto value = inner_.PortIn(address);
  out_ << traceLine("in", address, value) << '\n';
  return value;
}

}  // namespace burnlab
