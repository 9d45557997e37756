#include "buffers/image_file_formats.h"

#include <algorithm>

#include "buffers/intel_hex.h"
#include "buffers/s_record.h"
#include "util/text.h"
#include "util/whole_file.h"

namespace burnlab {
namespace {

SRecordAddress sRecordAddressFor(const std::filesystem::path& file) {
  const auto extension = lowerCase(file.extension().string());
  if (extension == ".s28") return SRecordAddress::Bits24;
  if (extension == ".s37") return SRecordAddress::Bits32;
  return SRecordAddress::Bits16;
}

ImageLoad::Outcome outcomeOf(FileRead::Outcome read) {
  switch (read) {
    case FileRead::Outcome::Read:
      return ImageLoad::Outcome::Loaded;
    case FileRead::Outcome::TooLong:
      return ImageLoad::Outcome::TooLong;
    case FileRead::Outcome::Unreadable:
      break;
  }
  return ImageLoad::Outcome::Unreadable;
}

// The most a file may be long before its content is known: a raw file fills the buffer at
// most, a record file takes about three characters a byte.
std::uintmax_t readLimit(std::size_t capacity, std::optional<ImageFormat> forced) {
  if (forced == ImageFormat::Raw) return capacity;
  if (forced) return kRecordFileLimit;
  return std::max<std::uintmax_t>(capacity, kRecordFileLimit);
}

void decodeRecords(ImageLoad& load, std::size_t capacity) {
  load.content = ImageContent(capacity);
  bool ended = true;
  const bool decoded = load.format == ImageFormat::IntelHex
                           ? decodeIntelHex(load.bytes, load.content, load.fault)
                           : decodeSRecords(load.bytes, load.content, load.fault, &ended);
  if (decoded) {
    if (!ended) load.warning = "it has no end record (S7, S8 or S9): it may have been cut short";
    return;
  }
  load.outcome = ImageLoad::Outcome::Malformed;
  load.content = ImageContent(0);
}

}  // namespace

std::size_t ImageLoad::end() const {
  return format == ImageFormat::Raw ? bytes.size() : content.end();
}

void ImageLoad::copyInto(std::span<std::uint8_t> buffer) const {
  if (format == ImageFormat::Raw) {
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
  } else {
    content.copyInto(buffer);
  }
}

ImageLoad loadImageFile(const std::filesystem::path& file, std::size_t capacity,
                        std::optional<ImageFormat> forced, std::vector<std::uint8_t> scratch) {
  auto read = readWholeFile(file, readLimit(capacity, forced), std::move(scratch));
  ImageLoad load;
  load.outcome = outcomeOf(read.outcome);
  load.length = read.length;
  load.error = std::move(read.error);
  load.bytes = std::move(read.bytes);
  if (!load.loaded()) return load;

  // A file named as a record file is read as one or refused, never taken for raw bytes because
  // of one stray byte; the operator may still force another format.
  if (const auto named = formatForName(file); !forced && named != ImageFormat::Raw) {
    if (const auto foreign = firstForeignByte(load.bytes)) {
      load.outcome = ImageLoad::Outcome::Malformed;
      load.format = named;
      load.fault = {foreign->line, foreign->reason()};
      return load;
    }
  }
  load.format = forced.value_or(detectImageFormat(load.bytes));
  if (load.format != ImageFormat::Raw) {
    decodeRecords(load, capacity);
  } else if (load.length > capacity) {
    load.outcome = ImageLoad::Outcome::TooLong;
  }
  return load;
}

FileWriteResult writeImageFile(const std::filesystem::path& file,
                               std::span<const std::uint8_t> image, ImageFormat format) {
  switch (format) {
    case ImageFormat::IntelHex:
      return writeFileAtomically(file, encodeIntelHex(image));
    case ImageFormat::SRecord:
      return writeFileAtomically(file, encodeSRecords(image, sRecordAddressFor(file)));
    case ImageFormat::Raw:
      break;
  }
  return writeFileAtomically(
      file, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

}  // namespace burnlab
