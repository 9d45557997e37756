// A rehearsal that does not wait: a whole 27C256 programmed on the simulated board as
// `burnlab-cli --simulate=27C256 --sim-no-wait -d 27C256 --yes program` runs it, on the PC's
// steady clock. The sleeps and paced pulses return at once, so the real time is the program's
// own work and the simulated chip's; the simulated board's clock still projects the real port's
// time, reported beside it.
#include <benchmark/benchmark.h>

#include <random>

#include "launch/start_up.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace {

using namespace burnlab;

void BM_Program27C256WithoutWaiting(benchmark::State& state) {
  const testing::TempFolder folder;
  ProgramOptions options;
  options.simulate = true;
  options.simSocket = "27C256";
  options.simNoWait = true;
  std::mt19937 random(1);
  double projectedSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::string error;
    testing::FakeDialogs dialogs;
    NoView view;
    // As the CLI starts, with the folders in a scratch folder of its own.
    auto startUp = StartUp::build(options, ProgramSignals::Answer::EndTheProgram,
                                  {std::make_unique<StdPlatform>(folder.path()), dialogs, view},
                                  {folder.path(), folder.path(), folder.path()}, error);
    if (!startUp) {
      state.SkipWithError(error.c_str());
      return;
    }
    auto& app = startUp->app();
    auto* clock = startUp->stack().simulatedClock();
    app.Form_Load();
    app.setDeviceListIndex(10);  // Eprom 27C256
    for (int a = 0; a < 32768; ++a) app.buffers.CodeBuffer[a] = static_cast<std::uint8_t>(random());
    const auto simulatedStart = clock->nowNs();
    state.ResumeTiming();

    app.runStoppable([&app] { return app.Program_button_Click(); });  // as the CLI's program

    state.PauseTiming();
    if (app.panel.SystemLog.text.find("Programming Device Successfull") == std::string::npos) {
      const auto& log = app.panel.SystemLog.text;
      state.SkipWithError(("the 27C256 was not programmed:" + log).c_str());
      return;
    }
    projectedSeconds = static_cast<double>(clock->nowNs() - simulatedStart) / 1e9;
    state.ResumeTiming();
  }
  state.counters["projected_s"] = projectedSeconds;
}
BENCHMARK(BM_Program27C256WithoutWaiting)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
