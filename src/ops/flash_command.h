#pragma once

#include <cstdint>

#include "ops/at29c256_flash.h"
#include "ops/operation_context.h"

namespace burnlab {

// The command cycles of the 32-pin flash chips: the three-cycle command sequence, the chip's
// write-enable line (register 3 bit 2, socket pin 31, active low) and the one-cycle reset.
class FlashCommandCycles {
 public:
  FlashCommandCycles(OperationContext& context, At29c256Flash& at29c256)
      : c_(context), at29c256_(at29c256) {}

  // The byte of the sequence's third cycle: 90h identification, F0h back to reading the array,
  // A0h program, 80h erase set-up, 10h chip erase.
  std::int16_t FlashCommand = 0;
  // The unlock cycles go to 5555h and 2AAAh instead: a chip of an earlier revision (which
  // decodes A0..A14) answered identification only there. Set by the identification.
  bool earlierUnlock = false;

  // AAh to 0555h, 55h to 02AAh, FlashCommand to 0555h, written straight into the registers
  // without their settling pauses and without the shadows: afterwards registers 1 to 4 hold
  // other values than their shadows until the caller writes them again. The AT29C256 takes its
  // own command cycles instead.
  void SendFlashCommand();

  // Write enable asserted (or released) with the current bank's address lines and the device's
  // fixed bits kept.
  void FlashWriteEnableOn();
  void FlashWriteEnableOff();

  // ResetFlash: one write cycle of F0h at the address loaded now, which returns the chip to
  // reading its array.
  void ResetFlash_Click();

 private:
  // A register written directly: the value on the data lines, then a strobe of register `index`.
  void writeDirect(int index, std::uint8_t value);
  // One bus cycle: data and address on the registers, then chip enable, write enable, write
  // enable released (the chip takes the data), chip enable released.
  void writeCycle(std::uint8_t data, std::uint8_t addressHigh, std::uint8_t addressLow);

  OperationContext& c_;
  At29c256Flash& at29c256_;
};

}  // namespace burnlab
