#pragma once

#include <cstdint>

namespace burnlab {

// Fore colours as the window keeps them: 0x00BBGGRR, or a system colour with the top bit set.
inline constexpr std::uint32_t kGreyText = 0x80000011;  // the system's grey-text colour: lamp dark
inline constexpr std::uint32_t kWhite = 0xFFFFFF;       // lamp lit
inline constexpr std::uint32_t kPink = 0xFFC0FF;        // red 255, green 192, blue 255: forced model
inline constexpr std::uint32_t kYellow = 0x00FFFF;      // red 255, green 255, blue 0: no board found
inline constexpr std::uint32_t kWindowText = 0x80000012;  // the system's button-text colour

// Back colours of a button: the system's button face, and its 3-D highlight that marks a run.
inline constexpr std::uint32_t kButtonFace = 0x8000000F;
inline constexpr std::uint32_t k3DHighlight = 0x80000014;

}  // namespace burnlab
