// Programming speed and the byte-lane image.
#include <gtest/gtest.h>

#include <numeric>

#include "devices/program_image.h"
#include "devices/program_speed.h"

namespace burnlab {
namespace {

TEST(ProgramSpeed, FastestGivesTwoEverywhereAndTheSlowHalfStretchesTheShortLoop) {
  const DelayFactors standard;
  EXPECT_EQ(programSpeedCounts(20, 20, standard), (DelayCounts{2, 2, 2}));
  EXPECT_EQ(programSpeedCounts(10, 20, standard), (DelayCounts{52, 1002, 5002}));
  EXPECT_EQ(programSpeedCounts(9, 20, standard), (DelayCounts{1102, 1102, 5502}));
  // The slowest setting of the slowest device: 19 x 100000 + 2 still fits 32 bits.
  EXPECT_EQ(programSpeedCounts(1, 20, delayFactorsFor('1')).longCount, 1900002);
}

TEST(ProgramSpeed, FactorsFollowTheSubCode) {
  EXPECT_EQ(delayFactorsFor('1'), (DelayFactors{50, 20000, 100000}));
  EXPECT_EQ(delayFactorsFor('2'), (DelayFactors{50, 20000, 100000}));
  EXPECT_EQ(delayFactorsFor('3'), (DelayFactors{5, 100, 500}));
  EXPECT_EQ(delayFactorsFor('9'), (DelayFactors{2, 50, 250}));
  EXPECT_EQ(delayFactorsFor('A'), (DelayFactors{5, 100, 500}));
}

TEST(ProgramImage, LanesTakeAllOddOrEvenBytesForTheDeviceSize) {
  std::vector<std::uint8_t> buffer(70000);
  std::iota(buffer.begin(), buffer.end(), 0);
  ProgramImage image;
  image.BuildProgramImage(ByteLane::HiByte, buffer, 32768);
  EXPECT_EQ(image.ProgramSize, 16384);
  EXPECT_EQ(image.bytes[0], buffer[1]);
  EXPECT_EQ(image.bytes[16383], buffer[32767]);
  image.BuildProgramImage(ByteLane::LowByte, buffer, 32768);
  EXPECT_EQ(image.bytes[16383], buffer[32766]);
  image.BuildProgramImage(ByteLane::Both, buffer, 32768);
  EXPECT_EQ(image.ProgramSize, 32768);
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 32768, image.bytes.begin()));
}

TEST(ProgramImage, AMegabyteDeviceFillsTheWholeImageWithoutOverrun) {
  std::vector<std::uint8_t> buffer(2'100'001, 0xAB);
  ProgramImage image;
  image.BuildProgramImage(ByteLane::Both, buffer, 1'048'576);
  EXPECT_EQ(image.ProgramSize, 1'048'576);
  EXPECT_EQ(image.bytes[1'048'575], 0xAB);
  EXPECT_EQ(image.bytes[1'048'576], 0x00);
}

}  // namespace
}  // namespace burnlab
