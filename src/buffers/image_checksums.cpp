#include "buffers/image_checksums.h"

#include <array>
#include <cstdio>

namespace burnlab {
namespace {

// The reflected polynomial of CRC-32 (IEEE 802.3), one table entry per byte value.
constexpr std::array<std::uint32_t, 256> crcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t value = 0; value < 256; ++value) {
    std::uint32_t crc = value;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    table[value] = crc;
  }
  return table;
}

constexpr auto kCrcTable = crcTable();

}  // namespace

ImageChecksums checksumsOf(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  std::uint32_t sum = 0;
  for (const auto byte : bytes) {
    crc = (crc >> 8) ^ kCrcTable[(crc ^ byte) & 0xFF];
    sum += byte;
  }
  return {~crc, static_cast<std::uint16_t>(sum), bytes.size()};
}

std::string checksumsText(const ImageChecksums& sums) {
  char text[96];
  std::snprintf(text, sizeof text, "CRC-32 %08X, byte sum %04X of %zu bytes",
                static_cast<unsigned>(sums.crc32), static_cast<unsigned>(sums.byteSum),
                sums.length);
  return text;
}

}  // namespace burnlab
