#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace burnlab {

// Why an image file was refused: the line it was refused at (0 when the fault belongs to the
// file as a whole) and the reason in words.
struct ImageFault {
  std::size_t line = 0;
  std::string reason;

  // "line 12: checksum is 3F, the record's bytes need 40", or the reason alone for line 0.
  std::string text() const;
};

// The bytes a HEX or S-record file gives, each at its address, from 0 up to the highest
// address given. The file may leave holes, which keep whatever the buffer the image is copied
// into holds there.
class ImageContent {
 public:
  // An empty image for a decoder that may place bytes anywhere below `capacity`.
  explicit ImageContent(std::size_t capacity) : capacity_(capacity) {}

  // Places `bytes` from `address` on, for the record on `line`. Refuses bytes that reach past
  // the capacity and a byte that an earlier record gave another value: two records that
  // contradict each other leave no way to know which one the chip should hold.
  bool place(std::uint64_t address, std::span<const std::uint8_t> bytes, std::size_t line,
             ImageFault& fault);

  // The highest address given plus one: the image's length.
  std::size_t end() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  bool has(std::size_t address) const { return present_[address]; }
  std::uint8_t at(std::size_t address) const { return bytes_[address]; }

  // Copies the given bytes into `buffer` at their addresses; the holes keep the buffer's bytes.
  // The buffer is at least end() bytes long.
  void copyInto(std::span<std::uint8_t> buffer) const;

 private:
  std::size_t capacity_ = 0;
  std::vector<std::uint8_t> bytes_;
  std::vector<bool> present_;  // which addresses a record gave
};

}  // namespace burnlab
