#include "buffers/buffers.h"

#include <gtest/gtest.h>

namespace burnlab::testing {
namespace {

TEST(Buffers, StartZeroFilledAtTheirFixedSizes) {
  const Buffers buffers;
  EXPECT_EQ(buffers.CodeBuffer.size(), 2'100'001u);
  EXPECT_EQ(buffers.DataBuffer.size(), 8'292u);
  EXPECT_EQ(std::count(buffers.CodeBuffer.begin(), buffers.CodeBuffer.end(), 0), 2'100'001);
  EXPECT_EQ(buffers.CodeSize, 0);
  EXPECT_EQ(buffers.CodeLoaded, 0);
}

TEST(Buffers, ASaveNeverReachesPastTheBuffer) {
  Buffers buffers;
  buffers.DataSize = 10'000;  // left by a refused data file
  EXPECT_EQ(buffers.dataImage().size(), 8'292u);
  buffers.DataSize = 100;
  EXPECT_EQ(buffers.dataImage().size(), 100u);
  buffers.CodeSize = -5;
  EXPECT_EQ(buffers.codeImage().size(), 0u);
  buffers.CodeSize = 3'000'000;
  EXPECT_EQ(buffers.codeImage().size(), 2'100'001u);
}

}  // namespace
}  // namespace burnlab::testing
