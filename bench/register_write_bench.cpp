// One register write through the simulated board: the rate of all board traffic at full speed.
#include <benchmark/benchmark.h>

#include "link/board.h"
#include "sim/sim_board.h"

namespace {

void BM_RegisterWrite(benchmark::State& state) {
  burnlab::sim::VirtualClock clock;
  burnlab::sim::SimBoard board(6, 0x378, clock);
  struct None : burnlab::BoardIndicators {
    void toggleProgramLamp() override {}
    void resetProgressBar() override {}
  } none;
  burnlab::Board direct(board, none);
  direct.InitControlTables();
  direct.setPortBase(0x378);
  direct.Model = 6;
  direct.SetupPortModel();
  direct.ShortDelayCount = state.range(0);
  for (auto _ : state) {
    direct.Reg2 = static_cast<std::int16_t>((direct.Reg2 + 1) & 0xFF);
    direct.SetReg2();
  }
}
BENCHMARK(BM_RegisterWrite)->Arg(0)->Arg(100);

}  // namespace
