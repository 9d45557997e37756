#include "util/text.h"

#include <algorithm>
#include <cctype>

namespace burnlab {
namespace {

char lowered(unsigned char c) {
  return static_cast<char>(std::tolower(c));
}

}  // namespace

std::string trimmed(std::string_view text, std::string_view blanks) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), lowered);
  return lower;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return lowered(x) == lowered(y); });
}

}  // namespace burnlab
