#include "buffers/image_checksums.h"

#include <gtest/gtest.h>

#include "buffers/image_compare.h"
#include "support/byte_patterns.h"

namespace burnlab::testing {
namespace {

TEST(ImageChecksums, TheCrcAndByteSumOfKnownBytes) {
  // The check value every CRC-32 implementation publishes.
  const auto check = checksumsOf(asBytes("123456789"));
  EXPECT_EQ(check.crc32, 0xCBF43926u);
  EXPECT_EQ(check.byteSum, 0x01DD);
  EXPECT_EQ(checksumsText(check), "CRC-32 CBF43926, byte sum 01DD of 9 bytes");

  const auto none = checksumsOf({});
  EXPECT_EQ(none.crc32, 0u);
  EXPECT_EQ(none.byteSum, 0);
  // A 32 KiB image whose sum overflows 16 bits is summed end to end in CliSum.PrintsTheChecksums...
}

// None, one and many differences, their texts and a listing cut short while every difference
// is counted are checked end to end in CliCompare.ListsNoneOneOrManyDifferences...
TEST(ImageCompare, ComparesTheImagesLengthUpToItsLastAddress) {
  const std::vector<std::uint8_t> image(1000, 0x11);
  auto chip = image;
  chip[999] = 0x00;
  const auto whole = compareImages(image, chip, 1000);
  ASSERT_EQ(whole.count, 1u);
  EXPECT_EQ(differenceText(whole.listed.back()), "Address 0003E7: File 11, Device 00");
  EXPECT_EQ(compareImages(std::span(image).first(999), chip, 1000).count, 0u);
}

}  // namespace
}  // namespace burnlab::testing
