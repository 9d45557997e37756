#pragma once

#include <string>
#include <string_view>

namespace burnlab {

// Spaces only: what the window's lists and captions pad their texts with.
inline constexpr std::string_view kSpaces = " ";
// Spaces, tabs and line ends: what a text file's lines may carry around their words.
inline constexpr std::string_view kWhitespace = " \t\r\n";

// The text without the `blanks` at either end; empty when it holds nothing else.
std::string trimmed(std::string_view text, std::string_view blanks = kSpaces);

// The text in lower case, letter by letter (ASCII: file names, options and part names).
std::string lowerCase(std::string_view text);

// Whether two texts are the same but for the case of their ASCII letters.
bool sameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace burnlab
