#pragma once

#include <string_view>

#include "ops/programming_bench.h"

namespace burnlab::testing {

// The X28C256 and the serial EEPROMs take any slider setting: their tests run at the default,
// 18, with a random image as large as the chip.
struct EepromBench : SimBench {
  EepromBench(int row, std::string_view socket) : SimBench(row, socket, 18, 64 * 1024) {}
};

}  // namespace burnlab::testing
