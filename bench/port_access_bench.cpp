// The board test's timing of one port access, on the simulated board with this PC's own clock:
// what an access to the simulated port costs here (a real port takes about a microsecond).
#include <benchmark/benchmark.h>

#include <chrono>

#include "link/board.h"
#include "ops/port_access_timing.h"
#include "sim/sim_board.h"

namespace {

void BM_SimulatedPortAccess(benchmark::State& state) {
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
  const auto steadyNs = [] {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
  };
  double nsPerAccess = 0;
  for (auto _ : state) nsPerAccess = burnlab::measurePortAccessNs(direct, steadyNs);
  state.counters["ns_per_access"] = nsPerAccess;
}
BENCHMARK(BM_SimulatedPortAccess);

}  // namespace
