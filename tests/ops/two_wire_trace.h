#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

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
  constexpr std::array<unsigned, 5> kStrobe{0x04, 0x0C, 0x06, 0x0E, 0x00};
  constexpr unsigned kSelectHighNibble = 0x01;
  std::array<unsigned, 5> reg{0, 0, 0, reg3, reg4};
  unsigned data = 0, control = 0;
  auto scl = [&] { return (reg[3] & 0x80) != 0; };
  auto sda = [&] { return (reg[3] & 0x40) != 0 || (reg[4] & 0x80) != 0; };
  bool lastScl = scl(), lastSda = sda();
  int bits = 0;
  unsigned byte = 0;
  std::vector<std::string> events;
  for (const auto& line : trace) {
    if (line.starts_with("sleep")) {
      events.push_back(line);
      continue;
    }
    char word[4] = {};
    unsigned address = 0, value = 0;
    if (std::sscanf(line.c_str(), "%3s %x %x", word, &address, &value) != 3) continue;
    if (std::string(word) == "in") {
      if (address == 0x379 && control == kSelectHighNibble) {
        events.push_back((value & 0x40) ? "n" : "a");  // D7 on status bit 6
      }
      continue;
    }
    if (address == 0x378) data = value;
    if (address != 0x37A) continue;
    control = value;
    for (std::size_t r = 0; r < kStrobe.size(); ++r) {
      if (value == kStrobe[r]) reg[r] = data;
    }
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
  }
  return events;
}

inline std::string joined(const std::vector<std::string>& events) {
  std::string text;
  for (const auto& event : events) text += (text.empty() ? "" : " ") + event;
  return text;
}

}  // namespace burnlab::testing
