#pragma once

#include "ops/page_write.h"

namespace burnlab {

// The AT29C256 32 KiB flash: its software data protection, its command cycles, and programming
// and erasing it. It is written as the X28C256 is, a 64-byte page at a time, each page in one
// program cycle; its write strobe is register 1 bit 7 (the chip's pin 1), and its address lines
// A8..A14 sit on register 1 as they are.
class At29c256Flash {
 public:
  explicit At29c256Flash(OperationContext& context) : c_(context), page_(context, kChip) {}

  // Program: the program image into the chip, page by page, with protection switched off first.
  void ProgramAT29C256(ProgrammingRun& run) { page_.program(run); }
  // Erase Chip: the six-cycle chip erase, its erase cycle waited out, then every byte read back:
  // a byte that is not FFh is reported as a programming failure.
  void EraseAT29C256(ProgrammingRun& run);

  // One command bus cycle: `data` to `address`.
  void WriteCommandAT29C256(CommandCycle cycle) { page_.writeCommand(cycle); }
  // Software data protection off (AA, 55, 80, AA, 55, 20 to 5555, 2AAA, 5555, 5555, 2AAA, 5555).
  void SdpDisableAT29C256() { page_.sendCommands(kProtectionOff); }
  // A three-cycle command: AA to 5555, 55 to 2AAA, `command` to 5555 (90h identification, F0h
  // back to reading the array), then the pause of s + 5 ms.
  void SendCommandAT29C256(std::uint8_t command);

  static std::int16_t highAddressLines(std::int32_t addressByte);
  static const PageWriteChip kChip;

 private:
  // The address of the first byte that does not read FFh, or nothing when all are erased.
  std::optional<std::int32_t> firstUnerasedByte();

  OperationContext& c_;
  PageWrite page_;
};

}  // namespace burnlab
