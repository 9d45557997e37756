#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "link/port_io.h"

namespace burnlab::testing {

// Records every access in the trace format ("out 0378 9F", "in 0379 78"). Reads come from the
// inner port when there is one, else from a script, else 7Fh (no board).
class RecordingPort final : public PortIo {
 public:
  RecordingPort() = default;
  explicit RecordingPort(PortIo& inner) : inner_(&inner) {}
  explicit RecordingPort(PortIo* inner) : inner_(inner) {}

  void PortOut(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t PortIn(std::uint16_t address) override;
  void retryUnavailablePorts() override {
    ++retries;
    if (inner_) inner_->retryUnavailablePorts();
  }

  // The recorded lines since the last clear.
  std::vector<std::string> lines;
  std::deque<std::uint8_t> scriptedReads;
  int retries = 0;  // how often a search asked to retry unavailable ports
  // Runs after each access is recorded (a test acting at a chosen point of the traffic).
  std::function<void(const std::vector<std::string>& lines)> onAccess;
  void clear() { lines.clear(); }

 private:
  PortIo* inner_ = nullptr;
};

// The ports whose status register a trace reads ("0379" for "in 0379 78"), each once.
std::set<std::string> portsRead(const std::vector<std::string>& trace);

// Builds the expected lines of one register write: data, then control idle, strobe, idle.
std::vector<std::string> registerWrite(std::uint16_t base, std::uint8_t value, std::uint8_t idle,
                                       std::uint8_t strobe);

}  // namespace burnlab::testing
