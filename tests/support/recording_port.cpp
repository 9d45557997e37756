#include "support/recording_port.h"

#include "link/tracing_port.h"

namespace burnlab::testing {

void RecordingPort::PortOut(std::uint16_t address, std::uint8_t value) {
  lines.push_back(traceLine("out", address, value));
  if (inner_) inner_->PortOut(address, value);
  if (onAccess) onAccess(lines);
}

std::uint8_t RecordingPort::PortIn(std::uint16_t address) {
  std::uint8_t value = 0x7F;
  if (inner_) {
    value = inner_->PortIn(address);
  } else if (!scriptedReads.empty()) {
    value = scriptedReads.front();
    scriptedReads.pop_front();
  }
  lines.push_back(traceLine("in", address, value));
  if (onAccess) onAccess(lines);
  return value;
}

std::set<std::string> portsRead(const std::vector<std::string>& trace) {
  std::set<std::string> ports;
  for (const auto& line : trace) {
    if (line.rfind("in ", 0) == 0) ports.insert(line.substr(3, 4));
  }
  return ports;
}

std::vector<std::string> registerWrite(std::uint16_t base, std::uint8_t value, std::uint8_t idle,
                                       std::uint8_t strobe) {
  const auto control = static_cast<std::uint16_t>(base + 2);
  return {traceLine("out", base, value), traceLine("out", control, idle),
          traceLine("out", control, strobe), traceLine("out", control, idle)};
}

}  // namespace burnlab::testing
