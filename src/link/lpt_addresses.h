#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace burnlab {

// The three standard parallel-port bases, in the order the board search tries them.
inline constexpr std::array<std::uint16_t, 3> kLptBases{0x278, 0x378, 0x3BC};

inline constexpr std::uint16_t kDataOffset = 0;
inline constexpr std::uint16_t kStatusOffset = 1;
inline constexpr std::uint16_t kControlOffset = 2;

// A port with nothing behind it: every input floats high and the port inverts Busy.
inline constexpr std::uint8_t kFloatingStatus = 0x7F;

// The base whose data, status or control register `address` is, if any.
constexpr std::optional<std::uint16_t> lptBaseOf(std::uint16_t address) {
  for (const auto base : kLptBases) {
    if (address >= base && address <= base + kControlOffset) return base;
  }
  return std::nullopt;
}

}  // namespace burnlab
