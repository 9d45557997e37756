#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace burnlab {

// Which bytes of the code buffer a device receives: all, the odd (high) bytes of 16-bit words,
// or the even (low) bytes.
enum class ByteLane { Both = 0, HiByte = 1, LowByte = 2 };

// Indexes 0 to 1,048,576: the bytes programming and verify send to or compare with the chip.
inline constexpr std::int32_t kProgramImageSize = 1'048'577;
// What the image holds where the code ends before the device does: the erased state, which the
// routines skip or write as erased, so a short file leaves the rest of the chip blank.
inline constexpr std::uint8_t kErasedValue = 0xFF;

struct ProgramImage {
  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kProgramImageSize);
  std::int32_t ProgramSize = 0;  // valid bytes from index 0

  // Fills the image from the start of the code for a device of `deviceSize` bytes: every byte,
  // or every second byte (starting at 1 for HiByte, 0 for LowByte) for half the size. Past the
  // end of `code` the image holds the erased value; nothing beyond the image is written.
  void BuildProgramImage(ByteLane lane, std::span<const std::uint8_t> code,
                         std::int32_t deviceSize);
};

}  // namespace burnlab
