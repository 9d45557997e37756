// The hex page and the image files: one page costs microseconds whatever the buffer's size, and
// loading a file costs little more than reading it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "buffers/buffers.h"
#include "buffers/hex_page.h"
#include "support/simulated_app.h"
#include "support/temp_folder.h"

namespace {

using burnlab::testing::SimulatedApp;
using burnlab::testing::TempFolder;

constexpr std::size_t kFileBytes = 2 * 1024 * 1024;

std::filesystem::path writeImage(const TempFolder& folder) {
  const auto path = folder.path() / "image.bin";
  std::vector<char> bytes(kFileBytes);
  for (std::size_t at = 0; at < bytes.size(); ++at) bytes[at] = static_cast<char>(at * 7);
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void BM_RenderCodePage(benchmark::State& state) {
  const burnlab::Buffers buffers;
  for (auto _ : state) {
    auto text = burnlab::codePageText(buffers.CodeBuffer, 4000);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_RenderCodePage)->Unit(benchmark::kMicrosecond);

// One operator scroll through the window's handler: the value changes and the page is redrawn.
void BM_ScrollOnePage(benchmark::State& state) {
  SimulatedApp f;
  f.app.buffers.CodeSize = 1 << 20;
  f.app.hexDisplay.DisplaySource = "Read";
  f.app.hexDisplay.setScrollMax(4095);
  std::int32_t page = 0;
  for (auto _ : state) {
    page = (page + 1) % 4096;
    f.app.hexDisplay.setScrollValue(page);
    benchmark::DoNotOptimize(f.app.panel.BufferDisplay.text.data());
  }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMicrosecond);

// The whole Open Code command on a 2 MiB file, first page and log lines included.
void BM_LoadCodeFile(benchmark::State& state) {
  const TempFolder folder;
  const auto image = writeImage(folder);
  SimulatedApp f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f.app.bufferCommands.openCodeFile(image));
    f.app.panel.SystemLog.text.clear();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_LoadCodeFile)->Unit(benchmark::kMicrosecond);

// The yardstick for the load: the same file read whole with a plain std::fread.
void BM_FreadFile(benchmark::State& state) {
  const TempFolder folder;
  const auto image = writeImage(folder);
  std::vector<char> bytes(kFileBytes);
  for (auto _ : state) {
    std::FILE* file = std::fopen(image.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_FreadFile)->Unit(benchmark::kMicrosecond);

// Save Code of a 2 MiB buffer: written to a temporary file, flushed to the disk, renamed.
void BM_SaveCodeFile(benchmark::State& state) {
  const TempFolder folder;
  const auto image = writeImage(folder);
  SimulatedApp f;
  f.app.bufferCommands.openCodeFile(image);
  for (auto _ : state) {
    f.app.bufferCommands.mnuFileSaveCode_Click();
    f.app.panel.SystemLog.text.clear();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_SaveCodeFile)->Unit(benchmark::kMillisecond);

}  // namespace
