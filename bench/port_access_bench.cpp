// The board test's timing of one port access, on the simulated board with this PC's own clock:
// what an access to the simulated port costs here (a real port takes about a microsecond).
#include <benchmark/benchmark.h>

#include <chrono>

#include "ops/port_access_timing.h"
#include "simulated_model6_board.h"

namespace {

void BM_SimulatedPortAccess(benchmark::State& state) {
  burnlab::bench::SimulatedModel6Board simulated;
  burnlab::Board& direct = simulated.board;
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
