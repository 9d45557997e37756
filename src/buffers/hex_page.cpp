#include "buffers/hex_page.h"

#include <algorithm>
#include <array>

namespace burnlab {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kGroupsPerLine = 4;
constexpr int kBytesPerGroup = 4;
constexpr int kAddressDigits = 6;

constexpr std::array<char, 256> makeCharacterTable() {
  std::array<char, 256> table{};
  for (auto& character : table) character = '.';
  for (const char printable : PrintableChars) {
    table[static_cast<unsigned char>(printable)] = printable;
  }
  return table;
}

constexpr std::array<char, 256> kCharacterTable = makeCharacterTable();

// The last six hex digits of the address, zero-padded.
void appendAddress(std::string& text, std::int64_t address) {
  char digits[kAddressDigits];
  auto rest = static_cast<std::uint64_t>(address);
  for (int position = kAddressDigits - 1; position >= 0; --position) {
    digits[position] = kHexDigits[rest & 0xF];
    rest >>= 4;
  }
  text.append(digits, kAddressDigits);
}

}  // namespace

char displayCharacter(std::uint8_t byte) {
  return kCharacterTable[byte];
}

void appendDisplayLine(std::string& text, std::span<const std::uint8_t> lineBytes,
                       std::int64_t address, CharacterRule rule) {
  const auto shown = std::min<std::size_t>(lineBytes.size(), kBytesPerLine);
  text += "\r\n";
  appendAddress(text, address);
  text += "| ";
  for (int group = 0; group < kGroupsPerLine; ++group) {
    for (int index = 0; index < kBytesPerGroup; ++index) {
      const std::size_t at = static_cast<std::size_t>(group * kBytesPerGroup + index);
      if (at >= shown) {
        text += "  ";
        continue;
      }
      text += kHexDigits[lineBytes[at] >> 4];
      text += kHexDigits[lineBytes[at] & 0xF];
    }
    text += ' ';
  }
  text += "| ";
  for (std::size_t at = 0; at < kBytesPerLine; ++at) {
    text += at < shown ? rule(lineBytes[at]) : ' ';
  }
}

void appendDisplayLine(std::string& text, std::span<const std::uint8_t> buffer,
                       std::int64_t address) {
  // A line beyond the end of the buffer keeps its columns, blank.
  const auto size = static_cast<std::int64_t>(buffer.size());
  const auto first = std::clamp<std::int64_t>(address, 0, size);
  const auto last = std::clamp<std::int64_t>(address + kBytesPerLine, 0, size);
  appendDisplayLine(
      text, buffer.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first)),
      address, displayCharacter);
}

std::string codePageText(std::span<const std::uint8_t> buffer, std::int32_t page) {
  std::string text;
  text.reserve(kCodeLinesPerPage * 64);
  const std::int64_t first = std::int64_t{page} * kCodePageBytes;
  for (int line = 0; line < kCodeLinesPerPage; ++line) {
    appendDisplayLine(text, buffer, first + line * kBytesPerLine);
  }
  return text;
}

std::string dataPageText(std::span<const std::uint8_t> buffer, std::int32_t page) {
  std::string text(kDataPageHeading);
  text.reserve(kDataPageHeading.size() + 2 + kDataLinesPerPage * 64);
  text += "\r\n";
  const std::int64_t first = std::int64_t{page} * kDataPageBytes;
  for (int line = 0; line < kDataLinesPerPage; ++line) {
    appendDisplayLine(text, buffer, first + line * kBytesPerLine);
  }
  return text;
}

std::int32_t codeScrollMax(std::int32_t codeSize) {
  return codeSize / kCodePageBytes - 1;
}

}  // namespace burnlab
