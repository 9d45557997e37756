#include "ops/x28c256_eeprom.h"

#include <algorithm>

#include "devices/program_speed.h"
#include "link/board.h"

namespace burnlab {

std::int16_t X28C256Eeprom::highAddressLines(std::int32_t addressByte) {
  return static_cast<std::int16_t>(addressByte != 0 ? addressByte + 64 : 0);
}

// The datasheet's write cycle lasts up to 10 ms and starts up to 100 us after the last byte
// of a page: kPageWriteCycleMs, 11 whole milliseconds, cover both.
const PageWriteChip X28C256Eeprom::kChip{
    &Board::SETADR_XICOR,
    &X28C256Eeprom::highAddressLines,
    0x40,
    40,
    kPageWriteCycleMs,
    "Programming 28C256 XICOR Device",
    "XICOR 28C256 Programmed Sucessfully",
};

void X28C256Eeprom::ProgramX28C256(ProgrammingRun& run) {
  page_.program(run);
  if (run.ProgramFailed != 0 || !c_.panel.menuProtectEeprom.checked) return;
  SdpEnableX28C256();
  c_.log.LogLine("XICOR 28C256 Data Protection Enabled");
}

void X28C256Eeprom::EraseX28C256(ProgrammingRun& run) {
  auto& image = c_.options.image.bytes;
  std::fill_n(image.begin(), kPageWritePages * kPageWriteBytes, 0xFF);
  c_.log.LogLine("Erasing Program Buffer");
  c_.log.LogLine("Erasing XICOR 28C256");
  try {
    page_.program(run);
  } catch (const OperationStopped&) {
    c_.options.BuildProgramImage(
        c_.buffers.codeImage());  // a stopped erase leaves no image of FFh behind either
    throw;
  }
  c_.options.BuildProgramImage(c_.buffers.codeImage());
}

void X28C256Eeprom::SdpEnableX28C256() {
  // The chip takes the sequence with a write cycle: no write may follow until it is over.
  page_.sendCommands(kProtectionOn, kChip.longestWriteCycleMs);
}

}  // namespace burnlab
