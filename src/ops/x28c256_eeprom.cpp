#include "ops/x28c256_eeprom.h"

#include "link/board.h"

namespace burnlab {

std::int16_t X28C256Eeprom::highAddressLines(std::int32_t addressByte) {
  return static_cast<std::int16_t>(addressByte != 0 ? addressByte + 64 : 0);
}

// The datasheet's write cycle lasts up to 10 ms and starts up to 100 us after the last byte
// of a page: 11 whole milliseconds cover both.
const PageWriteChip X28C256Eeprom::kChip{
    &Board::SETADR_XICOR,
    &X28C256Eeprom::highAddressLines,
    0x40,
    40,
    11,
    "Programming 28C256 XICOR Device",
    "XICOR 28C256 Programmed Sucessfully",
};

void X28C256Eeprom::SdpEnableX28C256() {
  // The chip takes the sequence with a write cycle: no write may follow until it is over.
  page_.sendCommands(kProtectionOn, kChip.longestWriteCycleMs);
}

}  // namespace burnlab
