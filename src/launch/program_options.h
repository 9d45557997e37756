#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace burnlab {

// What the command line asks for; the window and the CLI share it.
struct ProgramOptions {
  // The simulated board instead of real hardware.
  bool simulate = false;
  std::string simSocket;  // what sits in the simulated socket; "none": no board on any port
  int simModel = 6;
  std::uint16_t simPort = 0x378;
  // The simulated clock: one port access, one busy-wait iteration (measured on this PC when
  // not given), and the seed that draws the simulated chips' cells.
  std::uint64_t simAccessNs = 1000;
  std::optional<double> simLoopNs;
  std::uint64_t simSeed = 1;
  // Sleeps and paced delays return at once while the simulated clock still advances: a
  // rehearsal that does not wait. Only with the simulated board.
  bool simNoWait = false;
  // Faults in the simulated board's own wiring (sim/board_faults.h); empty: a sound board.
  std::string simBoard;
  // The file the simulated chip lives in between runs: its contents come from it and go back
  // to it (sim/chip_file.h).
  std::filesystem::path simChipFile;

  // The operator's own choices, applied after start-up as the window's controls would.
  std::optional<std::uint16_t> port;
  std::optional<int> model;

  // The real back end: an explicit ppdev node, or direct I/O.
  std::filesystem::path parportDevice;
  bool direct = false;

  std::filesystem::path traceFile;  // every port access, one line each
};

// Declares the options both programs take on `parser`; parsing fills `options`. An option that
// both the window and the CLI understand is added here, and nowhere else. (It takes the
// parser's parse-complete callback for itself.)
void addProgramOptions(CLI::App& parser, ProgramOptions& options);

struct ParsedOptions {
  ProgramOptions options;
  std::string error;  // empty when the command line was understood
};

// The window's command line: the program options and nothing else.
ParsedOptions parseProgramOptions(const std::vector<std::string>& arguments);

// "378h", "378H" or "0x378" for one of the three parallel-port bases.
std::optional<std::uint16_t> parsePortName(const std::string& text);

}  // namespace burnlab
