// The flash chips on their simulated parts, which follow the datasheets: identify, erase,
// program and verify each opted-in row; the failures a chip can cause; what the program makes
// of a chip it cannot drive.
#include <gtest/gtest.h>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

using sim::SimEventKind;

struct FullCycle {
  const char* socket;
  const char* identity;  // the identification's log line
  std::size_t imageSize;
};

class EveryOptedInRow : public ::testing::TestWithParam<FullCycle> {};

TEST_P(EveryOptedInRow, IsIdentifiedErasedProgrammedAndVerified) {
  const auto& p = GetParam();
  SimulatedApp f(flashIn(p.socket));
  for (std::uint32_t a = 0; a < f.chip->size(); a += 4093) f.chip->setCell(a, 0x00);
  f.openImage(SimulatedApp::randomImage(p.imageSize, static_cast<unsigned>(rowOf(p.socket))));

  f.app.click("menuFlashShowCodeID");
  EXPECT_TRUE(f.logged(p.identity)) << f.app.panel.SystemLog.text;
  f.app.click("EraseFlash_button");
  EXPECT_FALSE(f.errorLit()) << f.app.panel.SystemLog.text;
  EXPECT_TRUE(f.chipErased());

  f.app.panel.VerifyAfterProgramming.checked = true;
  const auto log = f.logOf([&] { f.app.click("Program_button"); });
  EXPECT_FALSE(f.errorLit()) << log;
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  EXPECT_TRUE(f.logged("Device Contents MATCHES with Buffer Contents")) << log;
  EXPECT_TRUE(std::equal(f.image.begin(), f.image.end(), f.cells().begin()));
  // Past the file the chip keeps its erased state, the rest of the last page included.
  EXPECT_TRUE(std::all_of(f.cells().begin() + static_cast<long>(p.imageSize), f.cells().end(),
                          [](auto b) { return b == 0xFF; }));
  EXPECT_EQ(f.board.counters().contentions, 0u);
  EXPECT_EQ(f.board.events().total(), 0u);
}

const FullCycle kOptedInRows[] = {
    // The AT29C256 takes the whole 32 KiB.
    {"AT29C256", "Device ID# 1FDC - ATMEL 29C256 Flash Memory", 32768},
    {"AM29F010", "Device ID# 0120 - AMD am29F010 Flash Memory", 5000},
    {"AM29F020", "Device ID# 0134 - AMD am29F020 Flash Memory", 5000},
    {"AM29F040", "Device ID# 01A4 - AMD am29F040 Flash Memory", 5000},
    {"A29040", "Device ID# 3786 - AMIC A29040 Flash Memory", 5000},
    {"EN29F040", "Device ID# 1C04 - EON EN29F040 Flash Memory", 5000}};

INSTANTIATE_TEST_SUITE_P(Flash, EveryOptedInRow, ::testing::ValuesIn(kOptedInRows));

class EveryFlashRevision : public ::testing::TestWithParam<FullCycle> {};

// Both revisions of each part are identified: the earlier one after a second try at 5555h and
// 2AAAh, whose addresses then serve the whole command.
TEST_P(EveryFlashRevision, IsIdentifiedAndTheEarlierOneIsProgrammedAtItsOwnUnlockAddresses) {
  const auto& p = GetParam();
  const std::string earlier = std::string(p.socket) + ",earlier";
  for (const auto& socket : {std::string(p.socket), earlier}) {
    SimulatedApp f(flashIn(socket));
    f.app.click("menuFlashShowCodeID");
    EXPECT_TRUE(f.logged(p.identity)) << socket << f.app.panel.SystemLog.text;
    EXPECT_FALSE(f.logged("Not Valid!!!")) << socket;
    EXPECT_EQ(f.logged("(an earlier revision)"), socket == earlier);
  }
  SimulatedApp f(flashIn(earlier));
  f.openImage(SimulatedApp::randomImage(300, 7));
  f.app.click("Program_button");
  EXPECT_TRUE(f.logged("Programming Device Successfull")) << f.app.panel.SystemLog.text;
  EXPECT_TRUE(std::equal(f.image.begin(), f.image.end(), f.cells().begin()));
}

// The sector flash chips, every row but the AT29C256's, have two revisions.
INSTANTIATE_TEST_SUITE_P(Flash, EveryFlashRevision,
                         ::testing::ValuesIn(std::begin(kOptedInRows) + 1, std::end(kOptedInRows)),
                         [](const auto& info) { return std::string(info.param.socket); });

// Two whole 64 KiB banks (register 3 carries A16 for the second), and a code file longer than
// 64 KiB but not a multiple of it: every bank before the last is written whole, so each byte
// lands at its own address.
TEST(FlashOnSimulatedChips, AnImagePastTheFirstBankFillsTheAM29F010BankByBank) {
  for (const std::size_t size : {131072u, 70000u}) {
    SimulatedApp f(flashIn("AM29F010"));
    f.openImage(SimulatedApp::randomImage(size, 7));
    f.app.click("Program_button");
    EXPECT_FALSE(f.errorLit()) << size << f.app.panel.SystemLog.text;
    EXPECT_TRUE(std::equal(f.image.begin(), f.image.end(), f.cells().begin())) << size;
  }
}

TEST(FlashOnSimulatedChips, AProtectedSectorIsReportedWhenProgrammingAndWhenErasing) {
  SimulatedApp f(flashIn("AM29F040,protect=1"));
  f.chip->setCell(0x10005, 0x00);
  f.app.click("EraseFlash_button");
  EXPECT_TRUE(f.errorLit());
  EXPECT_TRUE(f.logged("*** Flash Chip Erase Left a Byte Unerased ***"));
  EXPECT_TRUE(f.logged("*** Address:10005h, Programming BYTE:FFh, Read BYTE:0h"))
      << f.app.panel.SystemLog.text;
  EXPECT_GT(f.events(SimEventKind::WriteRefusedByProtection), 0u);

  f.app.click("Error_label");
  auto image = SimulatedApp::randomImage(0x10100, 3);
  std::fill_n(image.begin() + 0x10000, 3, 0xFF);
  image[0x10003] = 0x5A;
  f.openImage(image);
  f.app.click("Program_button");
  EXPECT_TRUE(f.errorLit());
  EXPECT_TRUE(f.logged("*** Address:10003h, Programming BYTE:5Ah, Read BYTE:FFh"))
      << f.app.panel.SystemLog.text;
  EXPECT_FALSE(f.logged("Programming Device Successfull"));
}

TEST(FlashOnSimulatedChips, AByteTheChipTimesOutOnStopsAtOnceAndIsReportedAsItHoldsIt) {
  SimulatedApp f(flashIn("AM29F040"));
  f.chip->setCell(0x20, 0x0F);
  auto image = std::vector<std::uint8_t>(256, 0xFF);
  image[0x20] = 0x3C;  // needs bits set that only an erase sets: the chip times out (DQ5)
  f.openImage(image);
  f.app.click("Program_button");
  EXPECT_TRUE(f.logged("the chip reports a program time-out")) << f.app.panel.SystemLog.text;
  // The byte as the array holds it after the reset, not the chip's status.
  EXPECT_TRUE(f.logged("*** Address:20h, Programming BYTE:3Ch, Read BYTE:Ch"))
      << f.app.panel.SystemLog.text;
  EXPECT_EQ(f.cells()[0x20], 0x0C);
  // Every program command the chip ignored came while its one program still ran: none after
  // it had given up, and far fewer than 48 retries would give.
  EXPECT_LT(f.events(SimEventKind::WriteIgnoredWhileBusy), 60u);
  f.app.click("Error_label");
  f.app.click("Read_button");
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x20], 0x0C);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x21], 0xFF);
}

TEST(FlashOnSimulatedChips, AnEraseThatFailsInsideTheChipIsReportedAfterTheChipGivesUp) {
  SimulatedApp f(flashIn("AM29F040,erasefails"));
  f.chip->setCell(0, 0x00);
  const auto start = f.clock.nowNs();
  f.app.click("EraseFlash_button");
  EXPECT_TRUE(f.errorLit());
  EXPECT_TRUE(f.logged("*** Flash Chip Erase did not End ***"));
  // The chip sets DQ5 at its longest erase time, 64 s; the program stops polling then.
  EXPECT_GE(f.clock.nowNs() - start, 64'000'000'000u);
  EXPECT_LT(f.clock.nowNs() - start, 66'000'000'000u);
}

TEST(FlashOnSimulatedChips, WaitFlashDataEndsAtTheWantedByteOrAfter500Reads) {
  SimulatedApp f(flashIn("AM29F040"));
  f.chip->setCell(0, 0x3C);
  f.app.board.Reset();
  f.app.board.SETADR_FLASH();
  EXPECT_EQ(f.app.flash.erase.WaitFlashData(0x3C), 500);
  const auto start = f.platform.elapsedMs;
  EXPECT_EQ(f.app.flash.erase.WaitFlashData(0xFF), 0);
  EXPECT_EQ(f.platform.elapsedMs - start, 2500);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
}

}  // namespace
}  // namespace burnlab::testing
