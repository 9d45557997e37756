#pragma once

#include <cstdint>
#include <string>

namespace burnlab::sim {

// A value as the chips' datasheets write addresses and data: `digits` upper-case hexadecimal
// digits and an "h" ("0555h", "AAh").
inline std::string hexDigits(std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text += kDigits[value >> shift & 0x0F];
  return text + "h";
}

}  // namespace burnlab::sim
