#pragma once

#include "ops/page_write.h"

namespace burnlab {

// The X28C256 parallel EEPROM: its software data protection, and programming and erasing it a
// 64-byte page at a time. Its write strobe is register 1 bit 6; its A14 sits on register 1
// bit 7, where the byte A15..A8 is moved up by 64 (the strobe bit is set anyway).
class X28C256Eeprom {
 public:
  explicit X28C256Eeprom(OperationContext& context) : c_(context), page_(context, kChip) {}

  // Program: the program image into the chip, page by page, with protection switched off
  // first. When the operator asked for it (menuProtectEeprom), a successful run switches
  // protection on again at the end.
  void ProgramX28C256(ProgrammingRun& run);
  // Erase Chip: every byte FFh, by programming an image of FFh; the program image is then
  // rebuilt from the code buffer, so a following Program writes the buffer again.
  void EraseX28C256(ProgrammingRun& run);

  // One command bus cycle: `data` to `address`.
  void WriteCommandX28C256(CommandCycle cycle) { page_.writeCommand(cycle); }
  // Software data protection off (AA, 55, 80, AA, 55, 20 to 5555, 2AAA, 5555, 5555, 2AAA,
  // 5555): afterwards plain writes are stored.
  void SdpDisableX28C256() { page_.sendCommands(kProtectionOff); }
  // Software data protection on (AA, 55, A0 to 5555, 2AAA, 5555): afterwards a write without
  // that prefix changes nothing.
  void SdpEnableX28C256();

  static std::int16_t highAddressLines(std::int32_t addressByte);
  static const PageWriteChip kChip;

  PageWrite& pageWrite() { return page_; }

 private:
  OperationContext& c_;
  PageWrite page_;
};

}  // namespace burnlab
