#include "link/board.h"

namespace burnlab {
namespace {

// Register 3's upper nibble holds the CE and REG4 lines: loading an address keeps it.
constexpr std::int16_t kReg3LineBits = 0xF0;

// A map entry for an address byte. The device operations keep the bytes in 0..255; one outside
// that range takes the entry of its low byte rather than reading past the map.
std::int16_t entryFor(const std::array<std::int16_t, 256>& map, std::int32_t addressByte) {
  return map[static_cast<std::size_t>(addressByte & 0xFF)];
}

}  // namespace

void Board::SETADR() {
  Reg1 =
      static_cast<std::int16_t>(entryFor(maps.Reg1AddressMap, address.AddrMid) | address.Reg1Extra);
  SetReg1();
  Reg2 = static_cast<std::int16_t>(address.AddrLow);
  SetReg2();
  Reg3 = static_cast<std::int16_t>(
      (Reg3 & kReg3LineBits) | entryFor(maps.Reg3AddressMap, address.AddrHigh) | address.Reg3Extra);
  SetReg3();
}

void Board::SETADR_FLASH() {
  SETADR();
}

void Board::SETADR_XICOR() {
  // A non-zero AddrMid moves up by 64: with the X28C256's fixed bit 6 that puts A14 on bit 7,
  // as its address map does.
  const std::int32_t mid = address.AddrMid != 0 ? address.AddrMid + 64 : 0;
  const auto reg1 = static_cast<std::int16_t>(mid | address.Reg1Extra);
  if (reg1 != Reg1) {
    Reg1 = reg1;
    SetReg1();
  }
  if (Reg2 != address.AddrLow) {
    Reg2 = static_cast<std::int16_t>(address.AddrLow);
    SetReg2();
  }
  const auto reg3 =
      static_cast<std::int16_t>((Reg3 & kReg3LineBits) | address.AddrHigh | address.Reg3Extra);
  if (reg3 != Reg3) {
    Reg3 = reg3;
    SetReg3();
  }
}

}  // namespace burnlab
