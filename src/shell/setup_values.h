#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace burnlab {

// Values as a setup slot file writes them. Each parser answers nothing for text that is not such
// a value, so that the line can be skipped instead of guessed at.

// A decimal number, blanks around it allowed ("12", "-1", "18.0").
std::optional<double> parseSetupNumber(std::string_view text);

// A number rounded to the nearest integer of type T (halves to the even one); nothing when it
// is not a number or falls outside T.
template <typename Integer>
std::optional<Integer> parseSetupInteger(std::string_view text) {
  const auto number = parseSetupNumber(text);
  if (!number) return std::nullopt;
  const double rounded = std::nearbyint(*number);
  if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
    return std::nullopt;
  }
  return static_cast<Integer>(rounded);
}

// True or False in any letter case; a number counts as true unless it is 0.
std::optional<bool> parseSetupBoolean(std::string_view text);

// A check box state: 0 clear, 1 ticked, 2 grey. The window has no grey state: a grey box is not
// ticked, which is how every command reads it. True when ticked.
std::optional<bool> parseSetupCheckState(std::string_view text);

}  // namespace burnlab
