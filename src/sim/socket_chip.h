#pragma once

#include <array>
#include <cstdint>

#include "sim/sim_events.h"

namespace burnlab::sim {

// What the board presents to the socket: the five register outputs and the data bus as the
// board drives it (register 4 while the REG4 line is asserted, model 6's identification pull,
// FFh where nothing of the board pulls a line low), and the programming supply's level.
struct SocketLines {
  std::array<std::uint8_t, 5> reg{};
  std::uint8_t boardDrive = 0xFF;
  // Millivolts the programming supply delivers to the pins register 0 switches it onto
  // (bits 7, 5, 4), chosen by register 0 bits 1..0; 0 while model 4's supply is not enabled.
  int supplyMv = 12500;
};

// A chip in the socket. It sees every change of the board's lines and drives the data bus: the
// bus is the wired AND of what the board and the chip drive, so `output` gives FFh on the lines
// it leaves to the others. What it tells the board (a destroyed chip, an ignored write) goes to
// the event log the board attaches.
class SocketChip : public SimEventSink {
 public:
  virtual ~SocketChip() = default;
  // The lines changed at `nowNs` (or the chip was just inserted). Time-driven chips also
  // catch up on the time that passed whenever `output` is asked.
  virtual void linesChanged(const SocketLines& lines, std::uint64_t nowNs) = 0;
  // What the chip drives onto the data bus now; FFh when it does not output.
  virtual std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) = 0;
  // The lines the chip's push-pull outputs drive now, 1s as well as 0s: where the board pulls
  // one of them low against a 1, or drives the bus at all, the two fight. An open-drain chip
  // (the two-wire EEPROMs) never does.
  virtual std::uint8_t drivenLines(const SocketLines&, std::uint64_t) { return 0; }
};

}  // namespace burnlab::sim
