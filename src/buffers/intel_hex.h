#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "buffers/image_content.h"

namespace burnlab {

// Intel HEX: text lines ":LLAAAATT<data>CC" of data records (type 00), address records that
// give the upper address bits (02 segment, 04 linear), start addresses (03, 05, not needed for
// a chip image) and one end-of-file record (01) last.

// Places every data record of `text` in `image`. False, with the line and the reason in
// `fault`, for the first record that is malformed, contradicts an earlier one or reaches past
// the image's capacity, and for a file without data or without its end-of-file record.
bool decodeIntelHex(std::span<const std::uint8_t> text, ImageContent& image, ImageFault& fault);

// The image as Intel HEX from address 0, 16 bytes a record, every byte of it written. Lines end
// with CR LF.
std::string encodeIntelHex(std::span<const std::uint8_t> image);

}  // namespace burnlab
