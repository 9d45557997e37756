#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace burnlab::sim {

// Faults of the board itself, in its wiring rather than in a chip, as `--sim-board` names them
// (comma-separated, each may be given more than once):
//   stuck0=Dn     socket data line Dn is held at 0 (a solder bridge to ground)
//   stuck1=Dn     socket data line Dn is held at 1 (a bridge to the supply)
//   short=Da:Db   two data lines touch: both carry the wired AND of the two
//   open=Sn       status line Sn (S3 nError .. S7 Busy) is broken in the cable: its pin floats
//                 high, so it reads 1 (Busy, inverted by the port, reads 0) whatever the board
//                 shows
//   noselect      the read-back multiplexer's select input does not follow control bit 2: the
//                 status lines always show D0..D3
//   noid          model 6's identification line does not pull D4 low
//   flaky=N       a bad contact on the read-back: about one status read in N shows one data bit
//                 of its nibble flipped (drawn from a fixed seed, so a run repeats)
struct BoardFaults {
  std::uint8_t stuckLow = 0;   // data lines held at 0
  std::uint8_t stuckHigh = 0;  // data lines held at 1
  std::vector<std::pair<int, int>> shorts;
  std::uint8_t openStatus = 0;  // status register bits whose line is open (bits 3..7)
  bool noSelect = false;
  bool noIdentify = false;
  std::uint32_t flakyEvery = 0;  // 0: steady

  bool any() const {
    return stuckLow || stuckHigh || !shorts.empty() || openStatus || noSelect || noIdentify ||
           flakyEvery;
  }

  // The socket's data bus as these faults leave it: the shorted pairs carry the AND of both
  // lines, then the stuck lines their level.
  std::uint8_t onBus(std::uint8_t bus) const;
};

struct ParsedBoardFaults {
  BoardFaults faults;
  std::string error;  // empty when the text was understood
};

// The faults a `--sim-board` text names; the empty text names none.
ParsedBoardFaults parseBoardFaults(std::string_view text);

}  // namespace burnlab::sim
