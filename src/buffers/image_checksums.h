#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace burnlab {

// The two checksums the operator compares images by: the CRC-32 that zip, zlib and most tools
// compute, and the 16-bit sum of the bytes that EPROM programmers traditionally print.
struct ImageChecksums {
  std::uint32_t crc32 = 0;
  std::uint16_t byteSum = 0;
  std::size_t length = 0;
};

ImageChecksums checksumsOf(std::span<const std::uint8_t> bytes);

// "CRC-32 CBF43926, byte sum 01DD of 9 bytes": the checksums in fixed-width upper-case hex.
std::string checksumsText(const ImageChecksums& sums);

}  // namespace burnlab
