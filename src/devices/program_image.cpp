#include "devices/program_image.h"

#include <algorithm>

namespace burnlab {
namespace {

std::uint8_t byteAt(std::span<const std::uint8_t> code, std::int64_t index) {
  return index >= 0 && index < static_cast<std::int64_t>(code.size())
             ? code[static_cast<std::size_t>(index)]
             : kErasedValue;
}

}  // namespace

void ProgramImage::BuildProgramImage(ByteLane lane, std::span<const std::uint8_t> code,
                                     std::int32_t deviceSize) {
  const std::int32_t size = std::clamp(deviceSize, 0, kProgramImageSize);
  if (lane == ByteLane::Both) {
    for (std::int32_t i = 0; i < size; ++i) bytes[i] = byteAt(code, i);
    ProgramSize = size;
    return;
  }
  const std::int32_t offset = lane == ByteLane::HiByte ? 1 : 0;
  for (std::int32_t i = 0; i < size; i += 2) bytes[i / 2] = byteAt(code, i + offset);
  ProgramSize = size / 2;
}

}  // namespace burnlab
