#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace burnlab {

// A number's upper-case hexadecimal digits without prefix, suffix or leading zeros, as log
// lines, captions and the port configuration file show port bases (0x378 gives "378"). A
// 16-bit value below 0 shows its four two's-complement digits.
inline std::string hexText(std::int32_t value) {
  const auto digits = static_cast<unsigned>(value < 0 && value >= -32768 ? value & 0xFFFF : value);
  char text[16];
  std::snprintf(text, sizeof text, "%X", digits);
  return text;
}

}  // namespace burnlab
