#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>

#include "link/port_io.h"
#include "sim/board_faults.h"
#include "sim/sim_clock.h"
#include "sim/sim_events.h"
#include "sim/socket_chip.h"

namespace burnlab::sim {

// What the simulated board has seen up to a moment of its clock.
struct BoardCounters {
  std::uint64_t nowNs = 0;
  std::uint64_t accesses = 0;     // port accesses, every address
  std::uint64_t contentions = 0;  // times the board and the chip began to drive the bus at once
  std::uint64_t longestContentionNs = 0;               // since the last command began (markCommand)
  std::array<std::uint64_t, kSimEventKinds> events{};  // by kind
};

// A programmer board on one parallel port, modelled on its wiring: five transparent latches
// selected and strobed through the control register, the data nibble on the status lines, the
// socket's data bus with pull-ups, and model 6's identification line; on request with faults in
// that wiring (BoardFaults). Every other port reads as a port with nothing behind it. Each
// access takes the port's access time on the clock.
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

  // Breaks the board's wiring as `faults` say, from now on.
  void setFaults(const BoardFaults& faults);
  const BoardFaults& faults() const { return faults_; }

  // The time one port access takes on the simulated clock.
  void setAccessNs(std::uint64_t ns) { accessNs_ = ns; }
  SimClock& clock() { return clock_; }

  // What the board has seen so far (a contention still going on counts up to now).
  BoardCounters counters() const;
  // A command begins: its counters start here, and its longest contention from nothing.
  BoardCounters markCommand();
  const SimEventLog& events() const { return events_; }

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
  // The status register as the port reads it: the nibble on its lines, a bad contact's flipped
  // bit, the open lines floating high.
  std::uint8_t statusRead();
  // Notes the start and the end of a fight between the board's and the chip's drivers.
  void checkContention();
  bool contending();

  int model_;
  std::uint16_t base_;
  SimClock& clock_;
  std::uint64_t accessNs_ = kPortAccessNs;
  std::uint8_t data_ = 0;
  std::uint8_t control_ = 0;
  SocketLines lines_;
  std::shared_ptr<SocketChip> chip_;
  BoardFaults faults_;
  std::minstd_rand flakyDraws_{1};

  std::uint64_t accesses_ = 0;
  std::uint64_t contentions_ = 0;
  std::uint64_t longestContentionNs_ = 0;
  bool contending_ = false;
  std::uint64_t contentionStartNs_ = 0;
  SimEventLog events_;
};

}  // namespace burnlab::sim
