#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace burnlab {

// The characters the buffer display prints as themselves; every other byte shows as ".".
inline constexpr std::string_view PrintableChars =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890-=\\!@#$%^&*()_+|[]}{;:'/?.>,<";

inline constexpr std::int32_t kBytesPerLine = 16;
inline constexpr std::int32_t kCodeLinesPerPage = 16;
inline constexpr std::int32_t kDataLinesPerPage = 8;
inline constexpr std::int32_t kCodePageBytes = kCodeLinesPerPage * kBytesPerLine;  // 256
inline constexpr std::int32_t kDataPageBytes = kDataLinesPerPage * kBytesPerLine;  // 128
// The data view's last page: 64 pages of 128 bytes cover the 8,192 loadable bytes.
inline constexpr std::int32_t kDataScrollMax = 63;

inline constexpr std::string_view kDataPageHeading = "             *** BUFFER DATA ***";

// The character the buffer display shows for a byte.
char displayCharacter(std::uint8_t byte);

// Appends one display line: CR LF, the 6-digit address, "| ", four groups of four bytes in hex,
// each followed by a blank, "| " and the 16 characters. The line shows the 16 bytes of `buffer`
// from `address` on; a byte outside the buffer is left blank, so that a page beyond the end
// keeps its columns.
void appendDisplayLine(std::string& text, std::span<const std::uint8_t> buffer,
                       std::int64_t address);

// What a display line shows in its character column for a byte.
using CharacterRule = char (*)(std::uint8_t);

// The same line for the (up to 16) bytes of `lineBytes`, printed at `address`, with `rule` for
// the character column: the live chip page shows its characters by a rule of its own.
void appendDisplayLine(std::string& text, std::span<const std::uint8_t> lineBytes,
                       std::int64_t address, CharacterRule rule);

// The text of one code page (16 lines from `page` x 256) and one data page (the heading, then
// 8 lines from `page` x 128).
std::string codePageText(std::span<const std::uint8_t> buffer, std::int32_t page);
std::string dataPageText(std::span<const std::uint8_t> buffer, std::int32_t page);

// The last code page for `codeSize` meaningful bytes: CodeSize \ 256 - 1, so -1 for fewer than
// 256 bytes.
std::int32_t codeScrollMax(std::int32_t codeSize);

}  // namespace burnlab
