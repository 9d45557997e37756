#include "devices/untested_devices.h"

#include "devices/device_catalogue.h"

namespace burnlab {

bool untestedButWorking(int row) {
  const auto* device = DeviceCatalogue::row(row);
  return device && device->offers.untested;
}

std::string deviceListEntry(int row, bool allowUntested) {
  const auto* device = DeviceCatalogue::row(row);
  if (!device) return {};
  if (allowUntested && untestedButWorking(row)) return device->paddedName();
  return device->listText();
}

bool selectableRow(int row, bool allowUntested) {
  const auto* device = DeviceCatalogue::row(row);
  return device && device->selectable(allowUntested);
}

}  // namespace burnlab
