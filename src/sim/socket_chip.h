#pragma once

#include <array>
#include <cstdint>

namespace burnlab::sim {

// What the board presents to the socket: the five register outputs and the data bus as the
// board drives it (register 4 while the REG4 line is asserted, model 6's identification pull,
// FFh where nothing of the board pulls a line low).
struct SocketLines {
  std::array<std::uint8_t, 5> reg{};
  std::uint8_t boardDrive = 0xFF;
};

// A chip in the socket. It sees every change of the board's lines and drives the data bus
// through open-drain outputs: a 0 bit pulls its line low, a 1 bit leaves it to the others.
class SocketChip {
 public:
  virtual ~SocketChip() = default;
  // The lines changed (or time passed) at `nowNs`.
  virtual void linesChanged(const SocketLines& lines, std::uint64_t nowNs) = 0;
  // What the chip drives onto the data bus now; FFh when it does not output.
  virtual std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) = 0;
};

}  // namespace burnlab::sim
