// Start-up of the window program on the simulated board, until the window is shown: the
// port stack, the App's start-up sequence and the first paint of every control.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "gui/window_program.h"

namespace burnlab {
namespace {

void WindowStartUpToShown(benchmark::State& state) {
  const auto options = parseProgramOptions({"--simulate"}).options;
  for (auto _ : state) {
    std::string error;
    auto program = WindowProgram::build(options, error);
    if (!program) {
      state.SkipWithError(error.c_str());
      return;
    }
    program->start();
    program->waitUntilShown();
    state.PauseTiming();
    program.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(WindowStartUpToShown)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace burnlab

int main(int argc, char** argv) {
  // Without a display the window opens on Qt's offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
