#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "buffers/image_format.h"

namespace burnlab {

// Bytes the code buffer holds, index 0 to 2,100,000.
inline constexpr std::int32_t kCodeBufferSize = 2'100'001;
// Bytes the data buffer holds, index 0 to 8,291.
inline constexpr std::int32_t kDataBufferSize = 8'292;
// The longest data file that is loaded; longer ones are refused.
inline constexpr std::int32_t kDataFileLimit = 8'192;
// Erasing fills code indexes 0 to 1,048,576 and data indexes 0 to 8,192 with FFh.
inline constexpr std::int32_t kCodeEraseLast = 1'048'576;
inline constexpr std::int32_t kDataEraseLast = 8'192;
inline constexpr std::uint8_t kErasedByte = 0xFF;

// The code buffer (the image read from, compared with and programmed into the chip) and the
// data buffer (a microcontroller's EEPROM image), with the sizes and file names that go with
// them. Both buffers start zero-filled and never change size.
struct Buffers {
  std::vector<std::uint8_t> CodeBuffer = std::vector<std::uint8_t>(kCodeBufferSize);
  std::vector<std::uint8_t> DataBuffer = std::vector<std::uint8_t>(kDataBufferSize);

  std::int32_t CodeSize = 0;  // meaningful bytes of CodeBuffer: the device size or file length
  std::int32_t DataSize = 0;  // length of the last data file opened, even a refused one

  std::filesystem::path CodeFileName;
  std::filesystem::path DataFileName;
  // The format each file was last opened or saved in: saving to it again keeps that format.
  ImageFormat CodeFileFormat = ImageFormat::Raw;
  ImageFormat DataFileFormat = ImageFormat::Raw;
  // The format the operator asked for (--format): every file is read and written in it
  // instead of the format its content or its name shows.
  std::optional<ImageFormat> chosenFormat;

  // The whole file being loaded, before it is copied into its buffer. Its memory is kept
  // between loads, so that a load costs little more than reading the file.
  std::vector<std::uint8_t> FileBytes;

  std::int16_t CodeLoaded = 0;  // 1 once CodeBuffer holds a file or a chip read
  std::int16_t DataLoaded = 0;  // 1 once a data file was loaded

  void EraseCode();
  void EraseData();

  // The bytes a save writes: the first CodeSize (DataSize) bytes, never more than the buffer
  // holds and never a negative count.
  std::span<const std::uint8_t> codeImage() const;
  std::span<const std::uint8_t> dataImage() const;
};

}  // namespace burnlab
