#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "buffers/image_content.h"
#include "buffers/image_format.h"
#include "util/atomic_file.h"

namespace burnlab {

// The longest HEX or S-record file read: room for a full code buffer written one byte a record.
inline constexpr std::uintmax_t kRecordFileLimit = 64u << 20;

// An image file read and decoded for a buffer of some capacity, or the reason it was not.
struct ImageLoad {
  enum class Outcome {
    Loaded,      // the image is ready to be copied into the buffer
    Unreadable,  // could not be opened or read: `error` gives the system's reason
    TooLong,     // a raw file longer than the buffer, or a file too long to read: see `length`
    Malformed,   // a HEX or S-record file with a fault: `fault` says where and what
  };

  Outcome outcome = Outcome::Unreadable;
  ImageFormat format = ImageFormat::Raw;
  std::uintmax_t length = 0;        // the file's length
  std::vector<std::uint8_t> bytes;  // the whole file as it was read
  ImageContent content{0};          // what a HEX or S-record file gives
  std::string error;
  ImageFault fault;
  // Said in the log of a file that loaded but may be incomplete; empty for a sound one.
  std::string warning;

  bool loaded() const { return outcome == Outcome::Loaded; }
  // The image's length: a raw file's length, or a record file's highest address plus one.
  std::size_t end() const;
  // Copies the image into the start of `buffer` (at least end() bytes); holes keep its bytes.
  void copyInto(std::span<std::uint8_t> buffer) const;
};

// Reads `file` for a buffer of `capacity` bytes, in the `forced` format or else in the format
// its content shows. A file named as a HEX or S-record file (.hex, .s19, ...) whose content is
// not a clean record file is refused, with the line and column of the first byte that does not
// belong, unless a format is forced. Nothing is placed anywhere yet: a refused file leaves every
// buffer as it was. The file's bytes go into `scratch`'s memory and come back in `bytes`.
ImageLoad loadImageFile(const std::filesystem::path& file, std::size_t capacity,
                        std::optional<ImageFormat> forced = std::nullopt,
                        std::vector<std::uint8_t> scratch = {});

// Writes `image` (addresses 0 up) to `file` in `format`, never leaving a half-written file in
// place of a good one. S-records get the address width the name asks for (.s19 16-bit, .s28
// 24-bit, .s37 32-bit), wider when the image needs it.
FileWriteResult writeImageFile(const std::filesystem::path& file,
                               std::span<const std::uint8_t> image, ImageFormat format);

}  // namespace burnlab
