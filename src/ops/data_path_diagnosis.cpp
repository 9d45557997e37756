#include "ops/data_path_diagnosis.h"

#include <cstdio>
#include <functional>

namespace burnlab {
namespace {

using Fault = DataPathFinding::Fault;

std::uint8_t bit(int line) {
  return static_cast<std::uint8_t>(1u << line);
}

std::string dataLine(int line) {
  return "D" + std::to_string(line);
}

std::string byteText(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02Xh", value);
  return text;
}

// One single fault of the board, and what it makes of every driven byte.
struct Hypothesis {
  DataPathFinding finding;
  std::function<std::uint8_t(std::uint8_t)> reads;
};

std::vector<Hypothesis> singleFaults(int model) {
  std::vector<Hypothesis> all;
  for (int line = 0; line < 8; ++line) {
    const auto mask = bit(line);
    all.push_back({{Fault::StuckLow, line, -1, -1,
                    "data line " + dataLine(line) + " is stuck at 0 (held low on the board)"},
                   [mask](std::uint8_t p) { return static_cast<std::uint8_t>(p & ~mask); }});
    all.push_back({{Fault::StuckHigh, line, -1, -1,
                    "data line " + dataLine(line) + " is stuck at 1 (held high on the board)"},
                   [mask](std::uint8_t p) { return static_cast<std::uint8_t>(p | mask); }});
  }
  for (int a = 0; a < 8; ++a) {
    for (int b = a + 1; b < 8; ++b) {
      const auto pair = static_cast<std::uint8_t>(bit(a) | bit(b));
      all.push_back(
          {{Fault::Shorted, a, b, -1,
            "data lines " + dataLine(a) + " and " + dataLine(b) + " are shorted together"},
           [pair](std::uint8_t p) {
             return (p & pair) == pair ? p : static_cast<std::uint8_t>(p & ~pair);
           }});
    }
  }
  const auto statusBits = readBackStatusBits(model);
  for (int nibbleBit = 0; nibbleBit < 4; ++nibbleBit) {
    const auto both = static_cast<std::uint8_t>(bit(nibbleBit) | bit(nibbleBit + 4));
    for (const bool high : {true, false}) {
      const int status = statusBits[static_cast<std::size_t>(nibbleBit)];
      all.push_back({{Fault::StatusLine, nibbleBit, nibbleBit + 4, status,
                      "status line " + statusLineName(status) + " never changes: it reads " +
                          (high ? "1" : "0") + " in both nibbles (" + dataLine(nibbleBit) +
                          " and " + dataLine(nibbleBit + 4) + "); look at the cable and the port"},
                     [both, high](std::uint8_t p) {
                       return static_cast<std::uint8_t>(high ? p | both : p & ~both);
                     }});
    }
  }
  all.push_back({{Fault::NoSelect, -1, -1, -1,
                  "the nibble-select line does not switch: both reads show D0..D3"},
                 [](std::uint8_t p) { return static_cast<std::uint8_t>((p & 0x0F) * 0x11); }});
  all.push_back({{Fault::NoSelect, -1, -1, -1,
                  "the nibble-select line does not switch: both reads show D4..D7"},
                 [](std::uint8_t p) { return static_cast<std::uint8_t>((p >> 4) * 0x11); }});
  return all;
}

bool explains(const Hypothesis& hypothesis, const std::vector<PatternReading>& readings) {
  for (const auto& reading : readings) {
    if (reading.first != hypothesis.reads(reading.driven)) return false;
  }
  return true;
}

std::uint8_t wrongLines(const std::vector<PatternReading>& readings) {
  std::uint8_t wrong = 0;
  for (const auto& reading : readings) {
    wrong |= static_cast<std::uint8_t>((reading.first ^ reading.driven) |
                                       (reading.second ^ reading.driven));
  }
  return wrong;
}

}  // namespace

std::vector<std::uint8_t> dataPathPatterns() {
  std::vector<std::uint8_t> patterns{0x00, 0xFF};
  for (int line = 0; line < 8; ++line) patterns.push_back(bit(line));
  for (int line = 0; line < 8; ++line) patterns.push_back(static_cast<std::uint8_t>(~bit(line)));
  patterns.push_back(0x55);
  patterns.push_back(0xAA);
  return patterns;
}

std::array<int, 4> readBackStatusBits(int model) {
  if (model == 4) return {6, 7, 5, 4};
  return {3, 4, 5, 6};
}

std::string statusLineName(int statusBit) {
  static constexpr const char* kNames[] = {"nError", "Select", "PaperEnd", "nAck", "Busy"};
  if (statusBit < 3 || statusBit > 7) return "S" + std::to_string(statusBit);
  return "S" + std::to_string(statusBit) + " (" + kNames[statusBit - 3] + ")";
}

DataPathFinding diagnoseDataPath(const std::vector<PatternReading>& readings, int model) {
  DataPathFinding finding;
  finding.badDataLines = wrongLines(readings);
  for (const auto& reading : readings) {
    if (reading.first == reading.second) continue;
    finding.fault = Fault::Unsteady;
    finding.text = "the read-back is unsteady: " + byteText(reading.driven) + " read as " +
                   byteText(reading.first) + ", then " + byteText(reading.second) +
                   " (a bad contact or a long cable)";
    finding.badDataLines = static_cast<std::uint8_t>(reading.first ^ reading.second);
    return finding;
  }
  if (finding.badDataLines == 0) {
    finding.text = "all 8 data lines and 4 status lines read back every pattern";
    return finding;
  }
  bool allHigh = true;
  for (const auto& reading : readings) allHigh = allHigh && reading.first == 0xFF;
  if (allHigh) {
    finding.fault = Fault::NoAnswer;
    finding.text =
        "every pattern reads FFh: nothing answers on the status lines (no board on this port, "
        "no power on the board, or the cable is unplugged)";
    return finding;
  }
  for (const auto& hypothesis : singleFaults(model)) {
    if (!explains(hypothesis, readings)) continue;
    const auto wrong = finding.badDataLines;
    finding = hypothesis.finding;
    finding.badDataLines = wrong;
    return finding;
  }
  finding.fault = Fault::Unexplained;
  for (const auto& reading : readings) {
    if (reading.first == reading.driven) continue;
    finding.text = "the read-back differs from the bus: " + byteText(reading.driven) + " read as " +
                   byteText(reading.first) + " (more than one line is wrong)";
    break;
  }
  return finding;
}

}  // namespace burnlab
