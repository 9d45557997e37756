#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/board.h"
#include "sim/sim_board.h"
#include "sim/sim_clock.h"
#include "support/fake_pace_clock.h"

namespace burnlab::sim {

// A real Board on a simulated board, its registers set by hand as the socket wiring implies.
struct SocketRig {
  struct NoIndicators final : BoardIndicators {
    void toggleProgramLamp() override {}
    void resetProgressBar() override {}
  };

  explicit SocketRig(int model = 6, std::uint16_t base = 0x378)
      : sim(model, base, clock), board(sim, none) {
    board.InitControlTables();
    board.setPortBase(static_cast<std::int16_t>(base));
    board.Model = static_cast<std::int16_t>(model);
    board.SetupPortModel();
    board.paceDelaysWith(pace);
  }

  void set(int reg, int value) {
    std::array<std::int16_t*, 5> shadows{&board.Reg0, &board.Reg1, &board.Reg2, &board.Reg3,
                                         &board.Reg4};
    *shadows[static_cast<std::size_t>(reg)] = static_cast<std::int16_t>(value & 0xFF);
    std::array<void (Board::*)(), 5> writes{&Board::SetReg0, &Board::SetReg1, &Board::SetReg2,
                                            &Board::SetReg3, &Board::SetReg4};
    (board.*writes[static_cast<std::size_t>(reg)])();
  }
  int reg(int index) const { return sim.registers()[static_cast<std::size_t>(index)]; }
  void setBit(int index, int bit, bool high) {
    const int mask = 1 << bit;
    set(index, high ? reg(index) | mask : reg(index) & ~mask);
  }

  // The socket's data bus as the status lines show it: both nibbles, decoded from each
  // model's wiring.
  std::uint8_t readBus() {
    const auto low = nibble(static_cast<std::uint8_t>(board.ReadSelectLow));
    const auto high = nibble(static_cast<std::uint8_t>(board.ReadSelectHigh));
    return static_cast<std::uint8_t>(high << 4 | low);
  }

  std::uint8_t nibble(std::uint8_t select) {
    sim.PortOut(0x37A, select);
    const std::uint8_t status = sim.PortIn(0x379);
    if (sim.model() != 4) return (status >> 3) & 0x0F;
    return static_cast<std::uint8_t>(((status >> 6) & 1) | (((status >> 7) & 1) ^ 1) << 1 |
                                     ((status >> 5) & 1) << 2 | ((status >> 4) & 1) << 3);
  }

  void advanceUs(std::uint64_t us) { clock.advanceNs(us * 1000); }

  // The text of every event of `kind` the board has kept, oldest first.
  std::vector<std::string> eventTexts(SimEventKind kind) const {
    std::vector<std::string> texts;
    for (const auto& event : sim.events().kept()) {
      if (event.kind == kind) texts.push_back(event.text);
    }
    return texts;
  }

  VirtualClock clock;
  SimBoard sim;
  NoIndicators none;
  // The program pulses' waits take no real time; a SimTime that observes the board puts them
  // on the simulated clock.
  testing::FakePaceClock pace;
  Board board;
};

}  // namespace burnlab::sim
