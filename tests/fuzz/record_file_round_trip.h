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
  require(decode(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), again,
                 againFault),
          "the program reads back what it writes");
  std::vector<std::uint8_t> back(again.end(), 0xFF);
  again.copyInto(back);
  require(back == bytes, "what the program writes reads back the same");
}

}  // namespace burnlab::fuzz

// The libFuzzer entry of a record format, `decoder` and `encoder` naming its functions in
// burnlab: each target is one such line, so that every format is fuzzed the same way.
#define BURNLAB_RECORD_FILE_FUZZ_TARGET(decoder, encoder)                             \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    burnlab::fuzz::decodeAndRoundTrip(                                                \
        std::span(data, size),                                                        \
        [](auto text, burnlab::ImageContent& image, burnlab::ImageFault& fault) {     \
          return burnlab::decoder(text, image, fault);                                \
        },                                                                            \
        [](auto bytes) { return burnlab::encoder(bytes); });                          \
    return 0;                                                                         \
  }
