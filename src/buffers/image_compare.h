#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace burnlab {

// One address where the chip does not hold the byte the image gives.
struct ImageDifference {
  std::uint32_t address = 0;
  std::uint8_t imageByte = 0;
  std::uint8_t chipByte = 0;
};

// Every difference between an image and what was read from the chip: the first ones listed,
// all of them counted.
struct ImageComparison {
  std::vector<ImageDifference> listed;
  std::size_t count = 0;
};

// Compares the image with the chip's bytes address by address, over the image's length (the
// chip's bytes are at least as many). Lists at most `maxListed` differences, in address order.
ImageComparison compareImages(std::span<const std::uint8_t> image,
                              std::span<const std::uint8_t> chip, std::size_t maxListed);

// "Address 0001F4: File 12, Device 34": one listed difference, the address in six digits as the
// hex display shows it.
std::string differenceText(const ImageDifference& difference);

// "No differences", "1 difference", "1234 differences".
std::string differenceCountText(std::size_t count);

}  // namespace burnlab
