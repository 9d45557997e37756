// The whole-chip scan of Read and Verify: it covers the whole code size, past the chip's end
// where the chip's addresses wrap, and stops only at the end of the buffer or image it serves.
#include "ops/whole_chip_scan.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

TEST(WholeChipScan, ACodeFileLongerThanTheChipIsScannedToItsEnd) {
  // A 32 KiB file on a 2764 (8 KiB): its first 8 KiB are the chip, the rest is other data.
  SimulatedApp f(chipIn("2764"));
  std::vector<std::uint8_t> bytes(32768);
  for (std::uint32_t a = 0; a < bytes.size(); ++a) {
    bytes[a] =
        static_cast<std::uint8_t>(a < 8192 ? f.chip->cell(a) : f.chip->cell(a % 8192) ^ 0x5A);
  }
  f.openImage(bytes);

  // Verify compares all 32 KiB: the chip's addresses wrap at 2000h, where the file differs.
  const auto log = f.logOf([&] { f.app.Verify_button_Click(); });
  EXPECT_TRUE(f.errorLit());
  char expected[80];
  std::snprintf(expected, sizeof expected, "Address: 2000 ][ Buffer Data: %X ][ Device Data: %X",
                f.chip->cell(0) ^ 0x5A, f.chip->cell(0));
  EXPECT_NE(log.find(expected), std::string::npos) << log;
  f.app.lamps.Error_label_Click();

  // Read fills all 32 KiB it reports, the chip four times over.
  EXPECT_NE(f.logOf([&] { f.app.Read_button_Click(); }).find("32768 bytes Read from Device"),
            std::string::npos);
  const auto& buffer = f.app.buffers.CodeBuffer;
  for (std::uint32_t a = 0; a < 32768; a += 1021) {
    ASSERT_EQ(buffer[a], f.chip->cell(a % 8192)) << a;
  }
}

TEST(WholeChipScan, StopsAtTheEndOfTheBufferOrImageItFillsOrComparesWith) {
  EXPECT_EQ(scanPageCount(32768, 2'100'001), 128);
  EXPECT_EQ(scanPageCount(100, 2'100'001), 1);  // whole pages
  EXPECT_EQ(scanPageCount(2'100'001, 2'100'001), 8203);
  EXPECT_EQ(scanPageCount(2'000'000, 1'048'577), 4096);
  EXPECT_EQ(scanPageCount(0, 1'048'577), 0);
}

}  // namespace
}  // namespace burnlab::testing
