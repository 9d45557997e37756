#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/chip_options.h"
#include "sim/memory_chip.h"

namespace burnlab::sim {

// The chips the simulator can put into the socket, by part name (the device list's name
// without its family word: "27C256", "2732A", "X28C256", "24C16").
class ChipCatalogue {
 public:
  // Every part name, in the device list's order.
  static std::vector<std::string> names();

  // A fresh, erased chip of that part (the name in any case; a device list name, whole or
  // without its family word, also names its part), or nullptr with `error` set
  // when there is no such part or it cannot have the faults asked for. The faults of the
  // memory array (stuck bits, changed bytes) come with MemoryChip::applyFaults, after any
  // image is loaded.
  static std::shared_ptr<MemoryChip> make(std::string_view name, const ChipOptions& options,
                                          std::string& error);
};

}  // namespace burnlab::sim
