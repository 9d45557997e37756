#pragma once

#include "sim/chip_options.h"

namespace burnlab::sim {

// The options of a chip that departs from a good part in the one way `fault` names
// (`withFault(&ChipOptions::startLocked)`).
inline ChipOptions withFault(bool ChipOptions::*fault) {
  ChipOptions options;
  options.*fault = true;
  return options;
}

}  // namespace burnlab::sim
