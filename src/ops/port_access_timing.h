#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/board.h"

namespace burnlab {

// How long one port access takes on the board's port: rounds of status reads and read-select
// writes (which strobe no register) timed on `monotonicNs`; the fastest round counts, since a
// round the system interrupted only comes out longer. Returns nanoseconds per access.
double measurePortAccessNs(Board& board, const std::function<std::uint64_t()>& monotonicNs);

// A 27C256's Read and Program at the default speed on a port whose accesses take `accessNs`:
// their port accesses at that cost, plus the time that does not depend on the port (the settle
// pauses, and a program pulse of 101 us for every byte).
struct ChipTimes {
  double readSeconds = 0;
  double programSeconds = 0;
};
ChipTimes projected27C256(double accessNs);

// "1.00 µs per access: a 27C256 reads in about 0.76 s and programs in about 6.1 s".
std::string portAccessText(double accessNs);

}  // namespace burnlab
