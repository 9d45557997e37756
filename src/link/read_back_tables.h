#pragma once

#include <array>
#include <cstdint>

namespace burnlab {

// Decoding of the status register into data nibbles. Models 5 and 6 carry a nibble on status
// bits 3..6 (nError, Select, PaperEnd, nAck); model 4 scrambles its lines and has one on Busy,
// which the port inverts.
namespace read_back_detail {

constexpr int bitOf(int value, int index) {
  return (value >> index) & 1;
}

template <typename Entry>
constexpr std::array<std::uint8_t, 256> tableOf(Entry entry) {
  std::array<std::uint8_t, 256> table{};
  for (int s = 0; s < 256; ++s) table[s] = static_cast<std::uint8_t>(entry(s));
  return table;
}

constexpr int model4Decode(int x) {
  return bitOf(x, 2) | (bitOf(x, 3) ^ 1) << 1 | bitOf(x, 1) << 2 | bitOf(x, 0) << 3 |
         bitOf(x, 6) << 4 | (bitOf(x, 7) ^ 1) << 5 | bitOf(x, 5) << 6 | bitOf(x, 4) << 7;
}

}  // namespace read_back_detail

// Status bits 3..6 as a low nibble (D0..D3), for models 5 and 6.
inline constexpr auto StatusLowNibble =
    read_back_detail::tableOf([](int s) { return (s >> 3) & 15; });

// Status bits 3..6 as a high nibble (D4..D7), for models 5 and 6.
inline constexpr auto StatusHighNibble =
    read_back_detail::tableOf([](int s) { return ((s >> 3) & 15) * 16; });

// Model 4: the byte whose bits are, from bit 0 up, x bits 2, NOT 3, 1, 0, 6, NOT 7, 5, 4, where
// x holds the first status read's upper nibble in its low half and the second's in its high half.
inline constexpr auto Model4ReadDecode = read_back_detail::tableOf(read_back_detail::model4Decode);

}  // namespace burnlab
