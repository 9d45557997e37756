#include "devices/untested_devices.h"

#include <algorithm>
#include <array>

#include "devices/device_catalogue.h"

namespace burnlab {

bool untestedButWorking(int row) {
  // Flash Atmel AT29C256, AMIC A29040, AMD AM29F010, AMD AM29F020, AMD AM29F040, EON EN29F040.
  static constexpr std::array<int, 6> kRows{21, 22, 23, 24, 25, 26};
  return std::find(kRows.begin(), kRows.end(), row) != kRows.end();
}

std::string deviceListEntry(int row, bool allowUntested) {
  const auto* device = DeviceCatalogue::row(row);
  if (!device) return {};
  if (allowUntested && untestedButWorking(row)) return device->paddedName();
  return device->listText();
}

bool selectableRow(int row, bool allowUntested) {
  const auto* device = DeviceCatalogue::row(row);
  return device && (device->supported || (allowUntested && untestedButWorking(row)));
}

}  // namespace burnlab
