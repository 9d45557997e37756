#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace burnlab::sim {

// A 32-pin sector flash as its datasheet describes it: size, sectors, identification codes
// and the times of its embedded program and erase algorithms (typical, and the maximum after
// which DQ5 reports a time-out).
struct FlashType {
  std::string_view name;
  int addressLines = 19;  // A0 .. A(n-1); pin 1 is A18 on the 4-Mbit parts, NC on the others
  std::uint32_t sectorSize = 64 * 1024;
  std::uint8_t makerCode = 0x01;
  std::uint8_t deviceCode = 0xA4;
  // Identification gives the continuation code 7Fh with A8 low and the codes with A8 high.
  bool continuationCode = false;
  std::uint32_t byteProgramUs = 7;
  std::uint32_t byteProgramMaxUs = 300;
  std::uint32_t sectorEraseMs = 1000;
  std::uint32_t sectorEraseMaxMs = 8000;
  std::uint32_t chipEraseMs = 8000;
  std::uint32_t chipEraseMaxMs = 64000;
  std::string_view source;

  std::size_t size() const { return std::size_t{1} << addressLines; }
  std::uint32_t sectors() const { return static_cast<std::uint32_t>(size() / sectorSize); }
};

// Every sector flash the simulator offers.
std::span<const FlashType> flashTypes();

}  // namespace burnlab::sim
