#include "buffers/image_compare.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

namespace burnlab {

ImageComparison compareImages(std::span<const std::uint8_t> image,
                              std::span<const std::uint8_t> chip, std::size_t maxListed) {
  assert(chip.size() >= image.size());
  ImageComparison comparison;
  auto at = image.begin();
  while (true) {
    // The first difference from `at` on: long equal stretches go by at memory speed.
    at = std::mismatch(at, image.end(), chip.begin() + (at - image.begin())).first;
    if (at == image.end()) break;
    const auto address = static_cast<std::size_t>(at - image.begin());
    if (comparison.listed.size() < maxListed) {
      comparison.listed.push_back(
          {static_cast<std::uint32_t>(address), image[address], chip[address]});
    }
    ++comparison.count;
    ++at;
  }
  return comparison;
}

std::string differenceText(const ImageDifference& difference) {
  char text[64];
  std::snprintf(text, sizeof text, "Address %06X: File %02X, Device %02X",
                static_cast<unsigned>(difference.address), difference.imageByte,
                difference.chipByte);
  return text;
}

std::string differenceCountText(std::size_t count) {
  if (count == 0) return "No differences";
  return std::to_string(count) + (count == 1 ? " difference" : " differences");
}

}  // namespace burnlab
