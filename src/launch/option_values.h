#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace CLI {
class Validator;
}

namespace burnlab {

// The values of the command-line options, checked with a message in our words: the range a
// number must be in, or the words a value may be. CLI::Validator takes them as checks or, for
// the words, as transforms.

// A whole number written in decimal digits, from `least` to `most` (no end when not given):
// "must be a whole number from 1 to 20, not '0'".
CLI::Validator wholeNumber(std::uint64_t least, std::optional<std::uint64_t> most = std::nullopt);

// One of `words` (any letter case), each standing for the value the option then takes; nothing
// else is taken, the values themselves neither: "must be both, hi or low, not 'middle'".
CLI::Validator oneOfWords(std::vector<std::pair<std::string, std::string>> words);

// The words of a list as a sentence says them: "both, hi or low".
std::string wordList(const std::vector<std::string>& words);

}  // namespace burnlab
