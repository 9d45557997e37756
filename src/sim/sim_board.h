#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "link/port_io.h"
#include "sim/sim_clock.h"
#include "sim/socket_chip.h"

namespace burnlab::sim {

// A programmer board on one parallel port, modelled on its wiring: five transparent latches
// selected and strobed through the control register, the data nibble on the status lines, the
// socket's data bus with pull-ups, and model 6's identification line. Every other port reads
// as a port with nothing behind it.
class SimBoard final : public PortIo {
 public:
  SimBoard(int model, std::uint16_t base, SimClock& clock);

  void PortOut(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t PortIn(std::uint16_t address) override;

  // Puts a chip into the socket (or empties it with nullptr).
  void insert(std::shared_ptr<SocketChip> chip);
  // The chip in the socket; nullptr when it is empty.
  const std::shared_ptr<SocketChip>& chip() const { return chip_; }

  int model() const { return model_; }
  std::uint16_t base() const { return base_; }
  // The board registers' outputs (what the latches hold).
  const std::array<std::uint8_t, 5>& registers() const { return lines_.reg; }
  // The socket data bus: the wired AND of board, chip and pull-ups.
  std::uint8_t dataBus();

 private:
  // Control value as the board's decoder sees it (models 5 and 6 have every line inverted).
  std::uint8_t decodedControl() const;
  bool strobeActive() const;
  // The register the control lines select, or -1 for a code that selects none.
  int selectedRegister() const;
  void latch();
  void updateBoardDrive();
  int supplyMv() const;
  std::uint8_t statusFor(std::uint8_t nibble) const;
  std::uint8_t selectedNibble();

  int model_;
  std::uint16_t base_;
  SimClock& clock_;
  std::uint8_t data_ = 0;
  std::uint8_t control_ = 0;
  SocketLines lines_;
  std::shared_ptr<SocketChip> chip_;
};

}  // namespace burnlab::sim
