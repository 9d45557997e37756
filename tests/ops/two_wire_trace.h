#pragma once

#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "ops/register_trace.h"

namespace burnlab::testing {

// Reads a port trace of a model-6 board at 378h back as the two-wire bus sees it. The board's
// registers are rebuilt from the data and strobe writes; SCL is register 3 bit 7, the master's
// SDA is register 4 bit 7 while the REG4 line (register 3 bit 6) is asserted, else released.
// The events: "S" a start, "P" a stop, each byte the master clocks out in hex ("A0"), "a" or
// "n" for each sample of SDA by the master (low: acknowledged, high: not), and the trace's
// "sleep N" lines. The ninth clock of a byte is not shown. `reg3` and `reg4` are the registers'
// values when the trace begins.
inline std::vector<std::string> twoWireEvents(const std::vector<std::string>& trace, unsigned reg3,
                                              unsigned reg4) {
  constexpr unsigned kSelectHighNibble = 0x01;
  std::array<unsigned, 5> reg{0, 0, 0, reg3, reg4};
  auto scl = [&] { return (reg[3] & 0x80) != 0; };
  auto sda = [&] { return (reg[3] & 0x40) != 0 || (reg[4] & 0x80) != 0; };
  bool lastScl = scl(), lastSda = sda();
  int bits = 0;
  unsigned byte = 0;
  std::vector<std::string> events;
  auto clockEdge = [&](unsigned) {
    const bool nowScl = scl(), nowSda = sda();
    if (lastScl && nowScl && nowSda != lastSda) {
      events.push_back(nowSda ? "P" : "S");
      bits = 0;
      byte = 0;
    } else if (nowScl && !lastScl) {
      if (++bits <= 8) byte = byte << 1 | (nowSda ? 1u : 0u);
      if (bits == 8) {
        std::ostringstream hex;
        hex << std::uppercase << std::hex << (byte < 16 ? "0" : "") << byte;
        events.push_back(hex.str());
      }
      if (bits == 9) bits = 0, byte = 0;
    }
    lastScl = nowScl;
    lastSda = nowSda;
  };
  replayTrace(trace, {.sleep = [&](const std::string& line) { events.push_back(line); },
                      .status =
                          [&](unsigned value, unsigned control) {
                            // D7 on status bit 6, while the high nibble is selected
                            if (control == kSelectHighNibble)
                              events.push_back((value & 0x40) ? "n" : "a");
                          },
                      .latch = [&](std::size_t r, unsigned data) { reg[r] = data; },
                      .control = clockEdge});
  return events;
}

inline std::string joined(const std::vector<std::string>& events) {
  std::string text;
  for (const auto& event : events) text += (text.empty() ? "" : " ") + event;
  return text;
}

}  // namespace burnlab::testing
