#include "ops/device_compare.h"

#include <algorithm>
#include <span>
#include <vector>

#include "ops/serial_eeprom_read.h"
#include "ops/whole_chip_scan.h"

namespace burnlab {

void DeviceCompare::compareDeviceWithBuffer() {
  c_.lamps.DataFlowLampOn();
  c_.log.LogLine("Compare Device with Buffer Started... Wait");
  const auto result = compare(kLoggedDifferences);
  if (!result) return;
  c_.lamps.DataFlowLampOff();
  const auto& differences = result->differences;
  for (const auto& difference : differences.listed) c_.log.LogLine(differenceText(difference));
  if (differences.count > differences.listed.size()) {
    c_.log.LogLine("... " + std::to_string(differences.count - differences.listed.size()) +
                   " more not listed");
  }
  c_.log.LogLine(differenceCountText(differences.count) + " in " +
                 std::to_string(result->compared) + " bytes compared");
  c_.sounds.PlayEventSound(result->differs() ? "ERROR" : "OK");
}

std::optional<DeviceComparison> DeviceCompare::compare(std::size_t maxListed) {
  c_.checkStop();  // a stop asked before it began: nothing is written
  if (!c_.device.selected()) return std::nullopt;
  auto result =
      c_.device.Routines.twoWire() ? compareSerial(maxListed) : compareParallel(maxListed);
  c_.endProgress();
  if (result) c_.board.Reset();
  return result;
}

DeviceComparison DeviceCompare::compareParallel(std::size_t maxListed) {
  c_.options.BuildProgramImage(c_.buffers.codeImage());
  const auto& image = c_.options.image;
  // The bytes Verify compares: with one byte lane only ProgramSize bytes of the image count.
  const bool singleLane = c_.options.chosenLane() != ByteLane::Both;
  const std::int32_t wanted =
      singleLane ? std::min(c_.buffers.CodeSize, image.ProgramSize) : c_.buffers.CodeSize;
  const auto pages = scanPageCount(wanted, static_cast<std::int32_t>(image.bytes.size()));

  std::vector<std::uint8_t> chip(static_cast<std::size_t>(pages) * kPageBytes);
  startWholeChipScan(c_.board, c_.platform);
  c_.setProgress(0, pages);
  scanWholeChip(
      c_.board, pages, [this] { c_.advanceProgress(1); },
      [&chip](Board& b) {
        chip[static_cast<std::size_t>(b.address.LinearAddress++)] = b.DataByte;
        return true;
      });

  DeviceComparison result;
  result.compared = std::min<std::int32_t>(wanted, pages * kPageBytes);
  // The image up to ProgramSize; past it, a code file longer than the device is compared with
  // the buffer's own bytes.
  const auto compared = static_cast<std::size_t>(result.compared);
  const auto fromImage = std::min(compared, static_cast<std::size_t>(image.ProgramSize));
  std::vector<std::uint8_t> expected(image.bytes.begin(), image.bytes.begin() + fromImage);
  const auto& code = c_.buffers.CodeBuffer;
  expected.insert(expected.end(), code.begin() + fromImage, code.begin() + compared);
  result.differences = compareImages(expected, chip, maxListed);
  return result;
}

std::optional<DeviceComparison> DeviceCompare::compareSerial(std::size_t maxListed) {
  DeviceComparison result;
  result.compared = static_cast<std::int32_t>(c_.buffers.codeImage().size());

  std::vector<std::uint8_t> chip(static_cast<std::size_t>(result.compared));
  c_.setProgress(0, result.compared);
  SerialEepromRead reader(c_.board, bus_, [this](int ms) { c_.platform.Sleep(ms); });
  reader.Read24CXX(c_.device.Routines.read, chip, result.compared,
                   [this] { c_.advanceProgress(16); });
  if (bus_.AckError != 0) {
    reports_.ReportAckError();
    return std::nullopt;
  }
  result.differences = compareImages(c_.buffers.codeImage(), chip, maxListed);
  return result;
}

}  // namespace burnlab
