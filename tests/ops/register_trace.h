#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "link/tracing_port.h"
#include "support/recording_port.h"

namespace burnlab::testing {

// What a port trace of a model-6 board at 378h does, told as it is read back.
struct TraceSteps {
  std::function<void(const std::string& line)> sleep{};            // each "sleep N" line
  std::function<void(unsigned value, unsigned control)> status{};  // each status read
  std::function<void(std::size_t reg, unsigned data)> latch{};     // each register a strobe latches
  std::function<void(unsigned control)> control{};  // each control write, after its latch
};

// Reads `trace` back access by access into `steps` (a step left empty is skipped).
inline void replayTrace(const std::vector<std::string>& trace, const TraceSteps& steps) {
  constexpr std::array<unsigned, 5> kStrobe{0x04, 0x0C, 0x06, 0x0E, 0x00};
  unsigned data = 0, control = 0;
  for (const auto& line : trace) {
    if (line.starts_with("sleep")) {
      if (steps.sleep) steps.sleep(line);
      continue;
    }
    char word[4] = {};
    unsigned address = 0, value = 0;
    if (std::sscanf(line.c_str(), "%3s %x %x", word, &address, &value) != 3) continue;
    if (std::string(word) == "in") {
      if (address == 0x379 && steps.status) steps.status(value, control);
      continue;
    }
    if (address == 0x378) data = value;
    if (address != 0x37A) continue;
    control = value;
    for (std::size_t r = 0; r < kStrobe.size(); ++r) {
      if (value == kStrobe[r] && steps.latch) steps.latch(r, data & 0xFF);
    }
    if (steps.control) steps.control(value);
  }
}

// The trace as register writes: "R1=D5" for each strobe that latches a register, "read" for
// each byte read back (two status reads), and the trace's "sleep N" lines.
inline std::vector<std::string> registerWrites(const std::vector<std::string>& trace) {
  std::vector<std::string> writes;
  int statusReads = 0;
  replayTrace(trace, {.sleep = [&](const std::string& line) { writes.push_back(line); },
                      .status =
                          [&](unsigned, unsigned) {
                            if (++statusReads % 2 == 0) writes.push_back("read");
                          },
                      .latch =
                          [&](std::size_t reg, unsigned data) {
                            // Printed whole: GCC 12 at -O3 warns falsely (-Wrestrict) on "R" +
                            // string.
                            char write[32];
                            std::snprintf(write, sizeof write, "R%zu=%02X", reg, data);
                            writes.push_back(write);
                          }});
  return writes;
}

// Port lines as a model-6 (or model-4) board at 378h sees them, built from register writes and
// read-backs.
class Traffic {
 public:
  explicit Traffic(int model = 6) : model_(model) {}

  Traffic& write(int reg, std::uint8_t value) {
    static constexpr std::uint8_t kIdle56[] = {0x05, 0x0D, 0x07, 0x0F, 0x01};
    static constexpr std::uint8_t kIdle4[] = {0x0A, 0x02, 0x08, 0x00, 0x0E};
    const std::uint8_t idle = model_ == 4 ? kIdle4[reg] : kIdle56[reg];
    const std::uint8_t strobe = model_ == 4 ? idle | 1 : idle & 0x0E;
    for (auto& line : registerWrite(0x378, value, idle, strobe)) lines.push_back(line);
    return *this;
  }
  // SETADR: the address's middle byte, low byte, then register 3 with its top bits.
  Traffic& address(std::uint8_t reg1, std::uint8_t reg2, std::uint8_t reg3) {
    return write(1, reg1).write(2, reg2).write(3, reg3);
  }
  // ReadBackByte: the bus released (register 4 FFh), register 3 as `reg3`, then `byte` read.
  Traffic& readBack(std::uint8_t reg3, std::uint8_t byte) {
    return write(4, 0xFF).write(3, reg3).read(byte);
  }
  // A read-back on a model 5/6 board that sees `byte`.
  Traffic& read(std::uint8_t byte) {
    lines.push_back("out 037A 05");
    lines.push_back(traceLine("in", 0x379, static_cast<std::uint8_t>((byte & 0x0F) << 3)));
    lines.push_back("out 037A 01");
    lines.push_back(traceLine("in", 0x379, static_cast<std::uint8_t>((byte >> 4) << 3)));
    return *this;
  }

  std::vector<std::string> lines;

 private:
  int model_;
};

// Where `run` first occurs in `lines` as an unbroken stretch, or -1.
inline long findRun(const std::vector<std::string>& lines, const std::vector<std::string>& run) {
  const auto at = std::search(lines.begin(), lines.end(), run.begin(), run.end());
  return at == lines.end() ? -1 : static_cast<long>(at - lines.begin());
}

}  // namespace burnlab::testing
