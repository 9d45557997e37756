#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace burnlab::testing {

// Reads a port trace of a model-6 board at 378h back as register writes: "R1=D5" for each
// strobe that latches a register, "read" for each byte read back (two status reads), and the
// trace's "sleep N" lines.
inline std::vector<std::string> registerWrites(const std::vector<std::string>& trace) {
  constexpr std::array<unsigned, 5> kStrobe{0x04, 0x0C, 0x06, 0x0E, 0x00};
  unsigned data = 0;
  int statusReads = 0;
  std::vector<std::string> writes;
  for (const auto& line : trace) {
    if (line.starts_with("sleep")) {
      writes.push_back(line);
      continue;
    }
    char word[4] = {};
    unsigned address = 0, value = 0;
    if (std::sscanf(line.c_str(), "%3s %x %x", word, &address, &value) != 3) continue;
    if (std::string(word) == "in") {
      if (address == 0x379 && ++statusReads % 2 == 0) writes.push_back("read");
      continue;
    }
    if (address == 0x378) data = value;
    if (address != 0x37A) continue;
    for (std::size_t r = 0; r < kStrobe.size(); ++r) {
      if (value != kStrobe[r]) continue;
      // Printed whole: GCC 12 at -O3 warns falsely (-Wrestrict) on "R" + std::string.
      char write[32];
      std::snprintf(write, sizeof write, "R%zu=%02X", r, data & 0xFF);
      writes.push_back(write);
    }
  }
  return writes;
}

}  // namespace burnlab::testing
