#pragma once
// Bytes for test images, and text seen as bytes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace burnlab::testing {

// Every byte value from 00h to FFh in order, `repeats` times over.
inline std::string everyByteValue(int repeats) {
  std::string bytes;
  for (int repeat = 0; repeat < repeats; ++repeat) {
    for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  }
  return bytes;
}

// The same as bytes rather than characters.
inline std::vector<std::uint8_t> everyByteValueBytes(int repeats) {
  const auto text = everyByteValue(repeats);
  return {text.begin(), text.end()};
}

// The characters of `text` as the bytes a decoder reads.
inline std::span<const std::uint8_t> asBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace burnlab::testing
