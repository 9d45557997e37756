#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_board.h"

namespace burnlab::sim {

// What the simulated board saw from `commandStart` until now, in parts: the simulated time of
// the command and of the whole run, the port accesses, the bus contentions, then one part per
// kind of event (with its first text). The times are what a real PC with a real board would
// take: a projection of real-port time.
struct Summary {
  std::string time;
  std::string accesses;
  std::string contentions;
  std::vector<std::string> events;  // empty: nothing happened
};
Summary summarise(const BoardCounters& commandStart, const SimBoard& board);

// The summary as one line, for the end of a CLI command.
std::string summaryLine(const BoardCounters& commandStart, const SimBoard& board);

// A simulated duration as people read it: "1.234 s", "12.5 ms", "15 us".
std::string durationText(std::uint64_t ns);

}  // namespace burnlab::sim
