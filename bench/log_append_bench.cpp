// The system log grows linearly: 100,000 lines cost about 100 times 1,000 lines.
#include <benchmark/benchmark.h>

#include "support/simulated_app.h"

namespace {

void BM_LogLines(benchmark::State& state) {
  const auto lines = state.range(0);
  burnlab::testing::SimulatedApp f;
  auto& text = f.app.panel.SystemLog.text;
  for (auto _ : state) {
    state.PauseTiming();
    std::string().swap(text);  // a new session's log, without the memory of the last one
    state.ResumeTiming();
    for (int64_t i = 0; i < lines; ++i) f.app.log.LogLine("Reading Device Address 012345");
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_LogLines)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
