#pragma once

#include <array>
#include <cstdint>

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

// A chip in the socket. It sees every change of the board's lines and drives the data bus
// through open-drain outputs: a 0 bit pulls its line low, a 1 bit leaves it to the others.
class SocketChip {
 public:
  virtual ~SocketChip() = default;
  // The lines changed at `nowNs` (or the chip was just inserted). Time-driven chips also
  // catch up on the time that passed whenever `output` is asked.
  virtual void linesChanged(const SocketLines& lines, std::uint64_t nowNs) = 0;
  // What the chip drives onto the data bus now; FFh when it does not output.
  virtual std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) = 0;
};

}  // namespace burnlab::sim
