#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "devices/device_catalogue.h"

namespace burnlab::testing {

// The Device list position of the first row for the part `part` ("27C256", "AM29F040",
// "24C16"): the tests name a device as the operator does, never by its row number.
inline int rowOf(std::string_view part) {
  const auto& rows = DeviceCatalogue::rows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].partName() == part) return static_cast<int>(row);
  }
  throw std::invalid_argument("no catalogue row for the part " + std::string(part));
}

}  // namespace burnlab::testing
