#include "buffers/image_content.h"

#include <algorithm>
#include <cassert>

#include "buffers/record_text.h"

namespace burnlab {

std::string ImageFault::text() const {
  if (line == 0) return reason;
  return "line " + std::to_string(line) + ": " + reason;
}

bool ImageContent::place(std::uint64_t address, std::span<const std::uint8_t> bytes,
                         std::size_t line, ImageFault& fault) {
  const std::uint64_t end = address + bytes.size();
  if (end > capacity_) {
    const auto firstBeyond = std::max<std::uint64_t>(address, capacity_);
    fault = {line, "address " + hexNumber(firstBeyond) + " lies beyond the " +
                       std::to_string(capacity_) + " bytes there is room for"};
    return false;
  }
  if (end > bytes_.size()) {
    bytes_.resize(end);
    present_.resize(end);
  }
  for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
    const auto at = static_cast<std::size_t>(address) + offset;
    if (present_[at] && bytes_[at] != bytes[offset]) {
      fault = {line, "address " + hexNumber(at) + " is given " + hexNumber(bytes[offset]) +
                         ", but an earlier record gave it " + hexNumber(bytes_[at])};
      return false;
    }
    bytes_[at] = bytes[offset];
    present_[at] = true;
  }
  return true;
}

void ImageContent::copyInto(std::span<std::uint8_t> buffer) const {
  assert(buffer.size() >= bytes_.size());
  for (std::size_t address = 0; address < bytes_.size(); ++address) {
    if (present_[address]) buffer[address] = bytes_[address];
  }
}

}  // namespace burnlab
