#include "buffers/record_text.h"

#include <array>
#include <cstdio>

namespace burnlab {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Each character's value as a hex digit, or -1: one look-up a character on long files.
constexpr std::array<std::int8_t, 256> hexDigitTable() {
  std::array<std::int8_t, 256> table{};
  for (auto& value : table) value = -1;
  for (int digit = 0; digit < 10; ++digit) table['0' + digit] = static_cast<std::int8_t>(digit);
  for (int digit = 0; digit < 6; ++digit) {
    table['A' + digit] = static_cast<std::int8_t>(10 + digit);
    table['a' + digit] = static_cast<std::int8_t>(10 + digit);
  }
  return table;
}

constexpr auto kHexDigitValues = hexDigitTable();

int hexDigitValue(char c) {
  return kHexDigitValues[static_cast<unsigned char>(c)];
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\x1A';
}

// A character as the operator can read it in a message, also when it does not print.
std::string shown(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code > 0x20 && code < 0x7F) return std::string("'") + c + "'";
  char text[16];
  std::snprintf(text, sizeof text, "the byte %02Xh", code);
  return text;
}

}  // namespace

bool RecordLines::next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  const auto end = text_.find_first_of("\r\n", position_);
  const auto stop = end == std::string_view::npos ? text_.size() : end;
  line = text_.substr(position_, stop - position_);
  position_ = stop;
  if (position_ < text_.size()) {
    const bool crLf =
        text_[position_] == '\r' && position_ + 1 < text_.size() && text_[position_ + 1] == '\n';
    position_ += crLf ? 2 : 1;
  }
  ++number_;
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  return true;
}

bool decodeHexPairs(std::string_view digits, std::size_t line, std::vector<std::uint8_t>& bytes,
                    ImageFault& fault) {
  bytes.assign(digits.size() / 2, 0);
  for (std::size_t at = 0; at < digits.size(); ++at) {
    const int value = hexDigitValue(digits[at]);
    if (value < 0) {
      fault = {line, shown(digits[at]) + " is not a hex digit"};
      return false;
    }
    // The first digit of a pair moves up a nibble when the second one arrives.
    if (at / 2 < bytes.size())
      bytes[at / 2] = static_cast<std::uint8_t>(bytes[at / 2] << 4 | value);
  }
  if (digits.size() % 2 != 0) {
    fault = {line, "the record has an odd number of hex digits"};
    return false;
  }
  return true;
}

void appendHexPairs(std::string& text, std::span<const std::uint8_t> bytes) {
  for (const auto byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
}

std::string hexNumber(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llXh", static_cast<unsigned long long>(value));
  return text;
}

bool checksumMatches(std::uint8_t given, std::uint8_t wanted, std::size_t line, ImageFault& fault) {
  if (given == wanted) return true;
  fault = {line, "the checksum is " + hexNumber(given) + ", the record's bytes need " +
                     hexNumber(wanted)};
  return false;
}

}  // namespace burnlab
