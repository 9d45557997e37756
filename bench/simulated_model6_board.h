#pragma once

#include "link/board.h"
#include "sim/sim_board.h"

namespace burnlab::bench {

// A model-6 board at 378h on the simulator, with no lamps to light, driven straight through the
// board layer: what the benchmarks of single port accesses measure against.
struct SimulatedModel6Board {
  struct NoIndicators : BoardIndicators {
    void toggleProgramLamp() override {}
    void resetProgressBar() override {}
  };

  SimulatedModel6Board() {
    board.InitControlTables();
    board.setPortBase(0x378);
    board.Model = 6;
    board.SetupPortModel();
  }

  sim::VirtualClock clock;
  sim::SimBoard simulated{6, 0x378, clock};
  NoIndicators indicators;
  Board board{simulated, indicators};
};

}  // namespace burnlab::bench
