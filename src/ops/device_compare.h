#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "buffers/image_compare.h"
#include "ops/operation_context.h"
#include "ops/operation_reports.h"
#include "ops/two_wire_bus.h"

namespace burnlab {

// What a full comparison of the chip with the buffer found.
struct DeviceComparison {
  ImageComparison differences;
  std::int32_t compared = 0;  // bytes compared, from address 0

  bool differs() const { return differences.count > 0; }
};

// Compare Device with Buffer: the chip against what Verify compares it with (parallel chips
// against the byte-lane image, serial EEPROMs against the code buffer), over the code size's
// bytes (past the chip's size too, where its address lines wrap, as Verify scans), but every
// difference found instead of the first. The buffer is not changed.
class DeviceCompare {
 public:
  // The differences the window's command writes to the log; the rest are only counted.
  static constexpr std::size_t kLoggedDifferences = 100;

  DeviceCompare(OperationContext& context, OperationReports& reports, TwoWireBus& bus)
      : c_(context), reports_(reports), bus_(bus) {}

  // The window's command: the first differences, one log line each, and their count.
  void compareDeviceWithBuffer();

  // Reads the chip and compares it, listing at most `maxListed` differences. Nothing when no
  // device is selected or a serial EEPROM did not answer (its report is made).
  std::optional<DeviceComparison> compare(std::size_t maxListed);

 private:
  DeviceComparison compareParallel(std::size_t maxListed);
  std::optional<DeviceComparison> compareSerial(std::size_t maxListed);

  OperationContext& c_;
  OperationReports& reports_;
  TwoWireBus& bus_;
};

}  // namespace burnlab
