#include "sim/at29c256_chip.h"

#include <array>

namespace burnlab::sim {
namespace {

// WE on pin 1, A14 on pin 27: the AT29C256's DIP pinout.
const PageLoadingChip::Pins kPins{
    20, 22, 1, 28, {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 27}};
constexpr int kOePin = 22;
constexpr int kOeMaxMv = 13500;

using Load = std::vector<PageLoadingChip::LoadedByte>;
constexpr std::array<PageLoadingChip::LoadedByte, 3> kIdentify{
    {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x90}}};
constexpr std::array<PageLoadingChip::LoadedByte, 3> kReadArray{
    {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xF0}}};
constexpr std::array<PageLoadingChip::LoadedByte, 6> kChipErase{{{0x5555, 0xAA},
                                                                 {0x2AAA, 0x55},
                                                                 {0x5555, 0x80},
                                                                 {0x5555, 0xAA},
                                                                 {0x2AAA, 0x55},
                                                                 {0x5555, 0x10}}};

std::string pinName(int pin) {
  return pin == 1 ? "WE" : pin == kOePin ? "OE" : "pin";
}

}  // namespace

At29c256Chip::At29c256Chip(const ChipOptions& options)
    : PageLoadingChip("AT29C256", kSize, kPins,
                      PinRatings(kPackagePins, {{kOePin, kOeMaxMv, false}}, pinName),
                      kByteLoadWindowNs, options.startLocked) {}

std::uint64_t At29c256Chip::takeLoad(const Load& load, std::uint64_t endNs) {
  if (load.size() == kIdentify.size() && startsWith(load, kIdentify)) {
    identifying_ = true;
    return 0;
  }
  if (load.size() == kReadArray.size() && startsWith(load, kReadArray)) {
    identifying_ = false;
    return 0;
  }
  if (load.size() == kChipErase.size() && startsWith(load, kChipErase)) {
    erase();
    return kChipEraseNs;
  }
  if (auto data = takeProtectionCommand(load)) {
    programSector(*data);
    return kProgramCycleNs;
  }
  if (dataProtected()) {
    reportKeptOut(load, endNs);
    return kProgramCycleNs;  // the cycle runs, nothing is programmed
  }
  programSector(load);
  return kProgramCycleNs;
}

void At29c256Chip::programSector(const Load& data) {
  if (data.empty()) return;
  const std::uint32_t sector = data.front().address & ~(kPageSize - 1);
  for (std::uint32_t offset = 0; offset < kPageSize; ++offset) store(sector | offset, 0xFF);
  storeInPage(data);
}

std::uint8_t At29c256Chip::readByte(std::uint32_t address) {
  if (identifying_) return (address & 1) ? kDeviceCode : kMakerCode;
  return cells()[address];
}

}  // namespace burnlab::sim
