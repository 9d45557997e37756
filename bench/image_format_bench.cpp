// HEX and S-record images against raw ones: reading a 1 MiB image in each format, writing it,
// and the checksums and full comparison that follow every load and read.
#include <benchmark/benchmark.h>

#include <fstream>
#include <vector>

#include "buffers/image_checksums.h"
#include "buffers/image_compare.h"
#include "buffers/image_file_formats.h"
#include "buffers/intel_hex.h"
#include "buffers/s_record.h"
#include "support/temp_folder.h"

namespace {

using namespace burnlab;
using burnlab::testing::TempFolder;

constexpr std::size_t kImageBytes = 1 << 20;
constexpr std::size_t kCapacity = 2'100'001;

std::vector<std::uint8_t> imageBytes() {
  std::vector<std::uint8_t> bytes(kImageBytes);
  for (std::size_t at = 0; at < bytes.size(); ++at) bytes[at] = static_cast<std::uint8_t>(at * 7);
  return bytes;
}

std::filesystem::path writeImage(const TempFolder& folder, ImageFormat format) {
  const auto path = folder.path() / ("image." + std::string(formatName(format)));
  writeImageFile(path, imageBytes(), format);
  return path;
}

// The file read, its format told from its content, decoded and copied into a buffer.
void BM_LoadImage(benchmark::State& state) {
  const auto format = static_cast<ImageFormat>(state.range(0));
  const TempFolder folder;
  const auto file = writeImage(folder, format);
  std::vector<std::uint8_t> buffer(kCapacity);
  std::vector<std::uint8_t> scratch;
  for (auto _ : state) {
    auto load = loadImageFile(file, kCapacity, std::nullopt, std::move(scratch));
    load.copyInto(buffer);
    scratch = std::move(load.bytes);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetLabel(std::string(formatName(format)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageBytes));
}
BENCHMARK(BM_LoadImage)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_EncodeImage(benchmark::State& state) {
  const auto bytes = imageBytes();
  const bool hex = state.range(0) == 0;
  for (auto _ : state) {
    auto text = hex ? encodeIntelHex(bytes) : encodeSRecords(bytes);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetLabel(hex ? "ihex" : "srec");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageBytes));
}
BENCHMARK(BM_EncodeImage)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_Checksums(benchmark::State& state) {
  const auto bytes = imageBytes();
  for (auto _ : state) benchmark::DoNotOptimize(checksumsOf(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageBytes));
}
BENCHMARK(BM_Checksums)->Unit(benchmark::kMillisecond);

// A chip that differs from the image in one byte of every 256.
void BM_CompareImages(benchmark::State& state) {
  const auto image = imageBytes();
  auto chip = image;
  for (std::size_t at = 0; at < chip.size(); at += 256) chip[at] ^= 0xFF;
  for (auto _ : state) benchmark::DoNotOptimize(compareImages(image, chip, 100).count);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageBytes));
}
BENCHMARK(BM_CompareImages)->Unit(benchmark::kMillisecond);

}  // namespace
