#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace burnlab {

// The bytes the data-path test drives onto the socket's bus through register 4: 00h, FFh, a
// walking one, a walking zero, 55h and AAh. Between them every line is seen at both levels,
// every line alone against all the others, and each pair of neighbours at opposite levels.
std::vector<std::uint8_t> dataPathPatterns();

// One pattern driven and read back twice with the program's own read-back.
struct PatternReading {
  std::uint8_t driven = 0;
  std::uint8_t first = 0;
  std::uint8_t second = 0;
};

// The status lines that carry read-back nibble bits 0..3, as status register bit numbers, and
// their names: models 5 and 6 use nError, Select, PaperEnd and nAck; model 4 nAck, Busy,
// PaperEnd and Select.
std::array<int, 4> readBackStatusBits(int model);
std::string statusLineName(int statusBit);  // "S5 (PaperEnd)"

// What the readings say about the board's data path, in the board's words.
struct DataPathFinding {
  enum class Fault {
    None,
    NoAnswer,     // every pattern read FFh: nothing drives the status lines
    StuckLow,     // data line `line` stays 0
    StuckHigh,    // data line `line` stays 1
    Shorted,      // data lines `line` and `other` carry their AND
    StatusLine,   // the status line of nibble bit `line` never changes (it shows in both nibbles)
    NoSelect,     // both reads of a byte give the same nibble
    Unsteady,     // the same pattern read back two ways
    Unexplained,  // wrong, but not as any single fault of the board would make it
  };
  Fault fault = Fault::None;
  int line = -1;
  int other = -1;
  int statusBit = -1;  // the status register bit of a StatusLine fault
  std::string text;    // one line: what was seen, or the fault
  // Data lines that read back wrong at least once (what a drawing of the lines shows red).
  std::uint8_t badDataLines = 0;
};

DataPathFinding diagnoseDataPath(const std::vector<PatternReading>& readings, int model);

}  // namespace burnlab
