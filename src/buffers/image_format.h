#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace burnlab {

// How an image file holds its bytes: raw (byte k of the file at address k), Intel HEX or
// Motorola S-records.
enum class ImageFormat { Raw, IntelHex, SRecord };

// The names the operator gives a format: "raw", "ihex", "srec".
std::string_view formatName(ImageFormat format);
std::optional<ImageFormat> formatNamed(std::string_view name);
// The format as messages name it: "Raw", "Intel HEX", "S-record".
std::string_view formatTitle(ImageFormat format);

// What a file's content is. A HEX or S-record file is plain text whose first record starts
// with ':' or with 'S' and a digit; anything else, however it is named, is a raw image. A
// text file that only starts like a record is still taken for one, so that its faults are
// reported rather than its text loaded as bytes.
ImageFormat detectImageFormat(std::span<const std::uint8_t> content);

// The first byte of `content` that does not belong in a HEX or S-record file: one that is no
// record text (a NUL, a byte above 7Eh), or, in clean text, a first record that starts with
// neither ':' nor 'S' and a digit. Lines and columns count from 1.
struct ForeignByte {
  std::size_t line = 0;
  std::size_t column = 0;
  std::uint8_t byte = 0;

  // "column 17: byte 00h is not record text", or "column 1: 'x' starts no record".
  std::string reason() const;
};
std::optional<ForeignByte> firstForeignByte(std::span<const std::uint8_t> content);

// The format a file of this name is written in: .hex and .ihx are Intel HEX; .s19, .s28, .s37,
// .srec and .mot are S-records; every other name is raw. Case does not matter.
ImageFormat formatForName(const std::filesystem::path& file);

}  // namespace burnlab
