// The whole-chip read, the program's hottest path: a 1 MiB 27C080 at the fastest speed. The
// port only counts its accesses, so the time is the program's own cost per access.
#include <benchmark/benchmark.h>

#include "support/simulated_app.h"

namespace {

using namespace burnlab;

// A port that answers every read as an erased chip on a model-6 board and counts accesses.
class CountingPort final : public PortIo {
 public:
  void PortOut(std::uint16_t, std::uint8_t) override { ++accesses; }
  std::uint8_t PortIn(std::uint16_t) override {
    ++accesses;
    return 0x7F;
  }
  std::uint64_t accesses = 0;
};

void BM_Read27C080(benchmark::State& state) {
  CountingPort port;
  testing::FakePlatform platform;
  testing::FakeDialogs dialogs;
  NoView view;
  App app({port, platform, dialogs, view});
  app.Form_Load();
  // No board answers a counting port: take the model-6 board at 378h as found.
  app.board.setPortBase(0x378);
  app.board.Model = 6;
  app.board.SetupPortModel();
  app.setDeviceListIndex(19);  // Eprom 27C080
  app.valueChosen("Slider1", 20);
  std::uint64_t accesses = 0;
  for (auto _ : state) {
    port.accesses = 0;
    app.reading.ReadParallelDevice();
    accesses = port.accesses;
  }
  state.counters["accesses"] = static_cast<double>(accesses);
  state.counters["accesses_per_byte"] = static_cast<double>(accesses) / (1 << 20);
  state.counters["ns_per_access"] = benchmark::Counter(
      static_cast<double>(accesses) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_Read27C080)->Unit(benchmark::kMillisecond);

}  // namespace
