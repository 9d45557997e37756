#include "buffers/buffers.h"

#include <algorithm>

#include "buffers/byte_count_caption.h"

namespace burnlab {
namespace {

std::span<const std::uint8_t> firstBytes(const std::vector<std::uint8_t>& buffer,
                                         std::int32_t count) {
  const auto length = static_cast<std::size_t>(
      std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(buffer.size())));
  return {buffer.data(), length};
}

}  // namespace

void Buffers::EraseCode() {
  std::fill_n(CodeBuffer.begin(), kCodeEraseLast + 1, kErasedByte);
}

void Buffers::EraseData() {
  std::fill_n(DataBuffer.begin(), kDataEraseLast + 1, kErasedByte);
}

std::span<const std::uint8_t> Buffers::codeImage() const {
  return firstBytes(CodeBuffer, CodeSize);
}

// A refused data file leaves DataSize at its own length, which may exceed the buffer: the
// save is limited to what the buffer really holds.
std::span<const std::uint8_t> Buffers::dataImage() const {
  return firstBytes(DataBuffer, DataSize);
}

std::string byteCountCaption(std::int32_t bytes) {
  // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on string concatenation.
  std::string caption = "(";
  caption += std::to_string(bytes);
  caption += " Bytes)";
  return caption;
}

}  // namespace burnlab
