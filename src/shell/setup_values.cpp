#include "shell/setup_values.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "util/text.h"

namespace burnlab {

std::optional<double> parseSetupNumber(std::string_view text) {
  const auto bare = trimmed(text);
  text = bare;
  if (text.starts_with('+')) text.remove_prefix(1);
  // Only plain decimal notation: no "inf", "nan" or hexadecimal.
  if (text.empty() || text.find_first_not_of("-.0123456789eE") != std::string_view::npos) {
    return std::nullopt;
  }
  double number = 0;
  const auto* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc() || stop != end) return std::nullopt;
  return number;
}

std::optional<bool> parseSetupBoolean(std::string_view text) {
  const auto word = lowerCase(trimmed(text));
  if (word == "true") return true;
  if (word == "false") return false;
  if (const auto number = parseSetupNumber(word)) return *number != 0;
  return std::nullopt;
}

std::optional<bool> parseSetupCheckState(std::string_view text) {
  const auto state = parseSetupInteger<int>(text);
  if (!state || *state < 0 || *state > 2) return std::nullopt;
  return *state == 1;
}

}  // namespace burnlab
