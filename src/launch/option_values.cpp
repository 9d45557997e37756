#include "launch/option_values.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>

#include "util/text.h"

namespace burnlab {
namespace {

bool allDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

std::string wordList(const std::vector<std::string>& words) {
  std::string list;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) list += i + 1 == words.size() ? " or " : ", ";
    list += words[i];
  }
  return list;
}

CLI::Validator wholeNumber(std::uint64_t least, std::optional<std::uint64_t> most) {
  const std::string range = "a whole number from " + std::to_string(least) +
                            (most ? " to " + std::to_string(*most) : std::string(" up"));
  return CLI::Validator(
      [least, most, range](std::string& text) -> std::string {
        std::uint64_t value = 0;
        const auto* end = text.data() + text.size();
        const bool read =
            allDigits(text) && std::from_chars(text.data(), end, value).ec == std::errc();
        if (read && value >= least && (!most || value <= *most)) return "";
        return "must be " + range + ", not '" + text + "'";
      },
      "");
}

CLI::Validator oneOfWords(std::vector<std::pair<std::string, std::string>> words) {
  std::vector<std::string> names;
  for (const auto& [word, value] : words) names.push_back(word);
  const std::string choices = wordList(names);
  return CLI::Validator(
      [words = std::move(words), choices](std::string& text) -> std::string {
        for (const auto& [word, value] : words) {
          if (sameIgnoringCase(text, word)) {
            text = value;
            return "";
          }
        }
        return "must be " + choices + ", not '" + text + "'";
      },
      "");
}

}  // namespace burnlab
