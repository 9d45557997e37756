#pragma once

#include <cstdint>
#include <memory>

#include "sim/chip_options.h"
#include "socket_rig.h"

namespace burnlab::sim {

// Drives a 32 KiB parallel chip that loads bytes with WE (the X28C256, the AT29C256) through
// the board registers. Its WE and A14 sit on register 1 bits `weBit` and `a14Bit`, A8..A13 on
// bits 0..5; VCC is register 3 bit 1.
template <typename Chip>
struct PageLoadDriver {
  PageLoadDriver(int weBit, int a14Bit, const ChipOptions& options)
      : weBit(weBit), a14Bit(a14Bit), chip(std::make_shared<Chip>(options)) {
    rig.sim.insert(chip);
    rig.set(0, 0x40);  // OE high
    rig.set(3, 0xC2);  // CE high, REG4 off, VCC
  }

  void address(std::uint32_t at, bool weHigh) {
    const auto a14 = static_cast<int>(at >> 14 & 1) << a14Bit;
    rig.set(2, static_cast<int>(at & 0xFF));
    rig.set(1, static_cast<int>(at >> 8 & 0x3F) | a14 | (weHigh ? 1 << weBit : 0));
  }
  // One byte load: address with WE high, data on the bus, CE low, WE low then high, CE high;
  // OE is held high, as a write needs it, unless `oeHigh` is false.
  void load(std::uint32_t at, std::uint8_t data, bool oeHigh = true) {
    rig.set(0, oeHigh ? 0x40 : 0x00);
    address(at, true);
    rig.set(4, data);
    rig.setBit(3, 6, false);
    rig.setBit(3, 7, false);
    address(at, false);
    address(at, true);
    rig.setBit(3, 7, true);
    rig.setBit(3, 6, true);
  }
  // The three loads of a command: AAh to 5555h, 55h to 2AAAh, `code` to 5555h.
  void command(std::uint8_t code) {
    load(0x5555, 0xAA);
    load(0x2AAA, 0x55);
    load(0x5555, code);
  }
  // One read cycle: CE and OE low, then both high again.
  std::uint8_t read(std::uint32_t at) {
    address(at, true);
    rig.set(4, 0xFF);
    rig.setBit(3, 7, false);
    rig.set(0, 0x00);
    const std::uint8_t value = rig.readBus();
    rig.set(0, 0x40);
    rig.setBit(3, 7, true);
    return value;
  }
  void waitMs(int ms) { rig.advanceUs(static_cast<std::uint64_t>(ms) * 1000); }
  // One byte load, then `ms` for the write cycle it starts.
  void writeByte(std::uint32_t at, std::uint8_t data, int ms) {
    load(at, data);
    waitMs(ms);
  }
  // The two commands that switch data protection off, then `ms` for their write cycle.
  void protectionOff(int ms) {
    command(0x80);
    command(0x20);
    waitMs(ms);
  }

  int weBit, a14Bit;
  SocketRig rig;
  std::shared_ptr<Chip> chip;
};

}  // namespace burnlab::sim
