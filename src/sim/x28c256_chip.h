#pragma once

#include <cstdint>
#include <vector>

#include "sim/chip_options.h"
#include "sim/page_loading_chip.h"

namespace burnlab::sim {

// The X28C256 32 KiB parallel EEPROM: byte loads with a 100 us window, then a write cycle (5 ms,
// 10 ms when slow, the datasheet's maximum) that stores the page of the first byte (A6..A14).
// Software data protection is a stored flag, off as shipped: while it is on, only a load that
// starts with AA/55/A0 to 5555/2AAA/5555 stores its data; any other load runs a dummy write
// cycle (reported as refused). AA/55/A0 turns protection on, AA/55/80/AA/55/20 off; command
// bytes are never stored. Every pin stands 7 V at most (the board's supply destroys it).
class X28C256Chip final : public PageLoadingChip {
 public:
  explicit X28C256Chip(const ChipOptions& options);

  static constexpr std::size_t kSize = 32 * 1024;
  static constexpr std::uint64_t kByteLoadWindowNs = 100'000;

 private:
  std::uint64_t takeLoad(const std::vector<LoadedByte>& load, std::uint64_t endNs) override;

  std::uint64_t writeCycleNs_;
};

}  // namespace burnlab::sim
