#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sim/chip_catalogue.h"
#include "socket_rig.h"

namespace burnlab::sim {

// Register 0: OE released (bit 6), VPP24 (7), VPP on socket pin 1 (5), on pin 3 (4).
inline constexpr int kOeHigh = 0x40, kVpp24 = 0x80, kVppPin1 = 0x20, kVppPin3 = 0x10;
inline constexpr int kVolts21 = 0x02, kVolts25 = 0x03;
// Register 3: CE (bit 7) and REG4 (bit 6) released.
inline constexpr int kCeHigh = 0x80, kReg4Off = 0x40;

inline std::shared_ptr<MemoryChip> makeChip(std::string_view name,
                                            const ChipOptions& options = {}) {
  std::string error;
  auto chip = ChipCatalogue::make(name, options, error);
  EXPECT_NE(chip, nullptr) << error;
  return chip;
}

// Drives a parallel chip: address lines by the socket table, the row's fixed bits held.
struct ParallelDriver {
  SocketRig& rig;
  int reg1Bits = 0;
  int reg3Bits = 0;
  bool a14OnPin1 = false;  // the X28C256 has A14 where the 28-pin EPROMs have VPP (socket 3)

  int reg1For(std::uint32_t address) const {
    int mid = static_cast<int>((address >> 8) & 0xFF);
    if (a14OnPin1) mid = (mid & 0x3F) | ((mid & 0x40) << 1);
    return mid | reg1Bits;
  }
  void address(std::uint32_t address, int reg3Control) {
    rig.set(2, static_cast<int>(address & 0xFF));
    rig.set(1, reg1For(address));
    rig.set(3, static_cast<int>((address >> 16) & 0x0F) | reg3Bits | reg3Control);
  }
  std::uint8_t read(std::uint32_t at) {
    rig.set(4, 0xFF);
    rig.set(0, 0x00);       // OE low, no programming voltage
    address(at, kReg4Off);  // CE low, the bus left to the chip
    return rig.readBus();
  }
  // Sets up a program pulse without giving it: the byte on the bus, OE high, VPP as `reg0`.
  void prepare(std::uint32_t at, std::uint8_t data, int reg0) {
    rig.set(0, kOeHigh);
    address(at, kCeHigh);
    rig.set(4, data);
    rig.setBit(3, 6, false);  // REG4 drives the bus
    rig.set(0, reg0);
  }
  // Ends a pulse's set-up: VPP off, the bus released.
  void finish() {
    rig.set(0, kOeHigh);
    rig.setBit(3, 6, true);
  }
  // One program pulse of `holdUs` on CE, or on PGM (`pgmReg`, `pgmBit`) with CE low.
  void pulse(std::uint32_t at, std::uint8_t data, int reg0, std::uint64_t holdUs, int pgmReg = -1,
             int pgmBit = 0) {
    prepare(at, data, reg0);
    rig.setBit(3, 7, false);
    if (pgmReg >= 0) rig.setBit(pgmReg, pgmBit, false);
    rig.advanceUs(holdUs);
    if (pgmReg >= 0) rig.setBit(pgmReg, pgmBit, true);
    rig.setBit(3, 7, true);
    finish();
  }
};

// A chip of `part` from the catalogue in the socket of a board of `model`, and the driver that
// holds its row's fixed bits.
template <typename Chip = MemoryChip>
struct ChipInSocket {
  ChipInSocket(std::string_view part, int reg1Bits, int reg3Bits, const ChipOptions& options = {},
               int model = 6)
      : chip(std::static_pointer_cast<Chip>(makeChip(part, options))),
        rig(model),
        drive{rig, reg1Bits, reg3Bits} {
    rig.sim.insert(chip);
  }

  std::shared_ptr<Chip> chip;
  SocketRig rig;
  ParallelDriver drive;
};

}  // namespace burnlab::sim
