// One register write through the simulated board: the rate of all board traffic at full speed.
#include <benchmark/benchmark.h>

#include "simulated_model6_board.h"

namespace {

void BM_RegisterWrite(benchmark::State& state) {
  burnlab::bench::SimulatedModel6Board simulated;
  burnlab::Board& direct = simulated.board;
  direct.ShortDelayCount = state.range(0);
  for (auto _ : state) {
    direct.Reg2 = static_cast<std::int16_t>((direct.Reg2 + 1) & 0xFF);
    direct.SetReg2();
  }
}
BENCHMARK(BM_RegisterWrite)->Arg(0)->Arg(100);

}  // namespace
