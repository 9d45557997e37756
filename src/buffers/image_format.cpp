#include "buffers/image_format.h"

#include <algorithm>
#include <array>

#include "util/text.h"

namespace burnlab {
namespace {

struct NamedFormat {
  std::string_view name;
  ImageFormat format;
};

constexpr std::array<NamedFormat, 3> kFormatNames{{
    {"raw", ImageFormat::Raw},
    {"ihex", ImageFormat::IntelHex},
    {"srec", ImageFormat::SRecord},
}};

constexpr std::array<NamedFormat, 7> kExtensions{{
    {".hex", ImageFormat::IntelHex},
    {".ihx", ImageFormat::IntelHex},
    {".s19", ImageFormat::SRecord},
    {".s28", ImageFormat::SRecord},
    {".s37", ImageFormat::SRecord},
    {".srec", ImageFormat::SRecord},
    {".mot", ImageFormat::SRecord},
}};

// Record text: printable characters, blanks, tabs and line ends, with the end-of-file mark
// (1Ah) some older tools append.
bool isRecordText(std::uint8_t byte) {
  return (byte >= 0x20 && byte < 0x7F) || byte == '\t' || byte == '\r' || byte == '\n' ||
         byte == 0x1A;
}

bool isBlank(std::uint8_t byte) {
  return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

}  // namespace

std::string_view formatName(ImageFormat format) {
  for (const auto& named : kFormatNames) {
    if (named.format == format) return named.name;
  }
  return "raw";
}

std::string_view formatTitle(ImageFormat format) {
  switch (format) {
    case ImageFormat::IntelHex:
      return "Intel HEX";
    case ImageFormat::SRecord:
      return "S-record";
    case ImageFormat::Raw:
      break;
  }
  return "Raw";
}

std::optional<ImageFormat> formatNamed(std::string_view name) {
  for (const auto& named : kFormatNames) {
    if (named.name == name) return named.format;
  }
  return std::nullopt;
}

ImageFormat detectImageFormat(std::span<const std::uint8_t> content) {
  if (!std::all_of(content.begin(), content.end(), isRecordText)) return ImageFormat::Raw;
  const auto first = std::find_if_not(content.begin(), content.end(), isBlank);
  if (first == content.end()) return ImageFormat::Raw;
  if (*first == ':') return ImageFormat::IntelHex;
  const auto next = first + 1;
  if (*first == 'S' && next != content.end() && std::isdigit(*next)) return ImageFormat::SRecord;
  return ImageFormat::Raw;
}

std::optional<ForeignByte> firstForeignByte(std::span<const std::uint8_t> content) {
  const auto at = [&content](std::span<const std::uint8_t>::iterator byte) {
    const auto offset = static_cast<std::size_t>(byte - content.begin());
    const auto lineStart = std::find(std::make_reverse_iterator(byte), content.rend(), '\n');
    ForeignByte foreign;
    foreign.line = 1 + static_cast<std::size_t>(std::count(content.begin(), byte, '\n'));
    foreign.column = offset - static_cast<std::size_t>(content.rend() - lineStart) + 1;
    foreign.byte = *byte;
    return foreign;
  };
  if (const auto bad = std::find_if_not(content.begin(), content.end(), isRecordText);
      bad != content.end()) {
    return at(bad);
  }
  if (detectImageFormat(content) != ImageFormat::Raw) return std::nullopt;
  const auto first = std::find_if_not(content.begin(), content.end(), isBlank);
  if (first == content.end()) return std::nullopt;  // nothing but blanks: an empty file
  return at(first);
}

std::string ForeignByte::reason() const {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const std::string where = "column " + std::to_string(column) + ": ";
  if (isRecordText(byte)) return where + "'" + static_cast<char>(byte) + "' starts no record";
  return where + "byte " + kDigits[byte >> 4] + kDigits[byte & 0x0F] + "h is not record text";
}

ImageFormat formatForName(const std::filesystem::path& file) {
  const auto extension = lowerCase(file.extension().string());
  for (const auto& named : kExtensions) {
    if (named.name == extension) return named.format;
  }
  return ImageFormat::Raw;
}

}  // namespace burnlab
