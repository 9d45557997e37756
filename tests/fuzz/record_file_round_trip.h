#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "buffers/image_content.h"
#include "fuzz_check.h"

namespace burnlab::fuzz {

// The largest image a chip of ours holds, as a record file is decoded for it.
inline constexpr std::size_t kImageCapacity = 1 << 20;

// Decodes `data` as a record file; what it accepts must come back byte for byte from the
// program's own encoding of it, and a refusal must say where and why.
template <typename Decode, typename Encode>
void decodeAndRoundTrip(std::span<const std::uint8_t> data, Decode decode, Encode encode) {
  ImageContent image(kImageCapacity);
  ImageFault fault;
  if (!decode(data, image, fault)) {
    require(!fault.reason.empty(), "a refused file says why");
    return;
  }
  require(image.end() <= kImageCapacity, "an accepted file fits its capacity");
  std::vector<std::uint8_t> bytes(image.end(), 0xFF);
  image.copyInto(bytes);
  const std::string text = encode(std::span<const std::uint8_t>(bytes));
  ImageContent again(kImageCapacity);
  ImageFault againFault;
  require(decode(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                 again, againFault),
          "the program reads back what it writes");
  std::vector<std::uint8_t> back(again.end(), 0xFF);
  again.copyInto(back);
  require(back == bytes, "what the program writes reads back the same");
}

}  // namespace burnlab::fuzz
