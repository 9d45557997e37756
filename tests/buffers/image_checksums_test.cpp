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

  // The sum keeps 16 bits: 32 KiB of FFh add up to 7F8000h.
  const std::vector<std::uint8_t> erased(32'768, 0xFF);
  const auto sums = checksumsOf(erased);
  EXPECT_EQ(sums.byteSum, 0x8000);
  EXPECT_EQ(sums.crc32, 0x1B43EABDu);  // zlib.crc32(b"\xff" * 32768)
}

TEST(ImageCompare, ListsNoneOneOrManyDifferencesAndCountsThemAll) {
  std::vector<std::uint8_t> image(1000, 0x11);
  auto chip = image;
  const auto same = compareImages(image, chip, 100);
  EXPECT_EQ(same.count, 0u);
  EXPECT_TRUE(same.listed.empty());
  EXPECT_EQ(differenceCountText(same.count), "No differences");

  chip[0] = 0x10;
  const auto one = compareImages(image, chip, 100);
  ASSERT_EQ(one.count, 1u);
  EXPECT_EQ(differenceText(one.listed[0]), "Address 000000: File 11, Device 10");
  EXPECT_EQ(differenceCountText(one.count), "1 difference");

  for (std::size_t at = 1; at < 1000; at += 3) chip[at] = 0xFF;
  chip[999] = 0x00;
  const auto many = compareImages(image, chip, 5);
  EXPECT_EQ(many.count, 335u);
  ASSERT_EQ(many.listed.size(), 5u);
  EXPECT_EQ(many.listed[1].address, 1u);
  EXPECT_EQ(many.listed[4].address, 10u);
  EXPECT_EQ(differenceCountText(many.count), "335 differences");

  // Only the image's length is compared; the last address still counts.
  const auto last = compareImages(std::span(image).first(999), chip, 1000);
  EXPECT_EQ(last.count, 334u);
  EXPECT_EQ(differenceText(compareImages(image, chip, 1000).listed.back()),
            "Address 0003E7: File 11, Device 00");
}

}  // namespace
}  // namespace burnlab::testing
