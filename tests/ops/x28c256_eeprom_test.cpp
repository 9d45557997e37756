// The X28C256's routines: its command cycles, protection sequences and page sequences as
// register writes and on a simulated chip; then programming it a page at a time, on simulated
// chips: every page at its first attempt at any speed, the failure report of a page that never
// reads back, protection off before and, when asked, on after.
#include "ops/x28c256_eeprom.h"

#include <gtest/gtest.h>

#include "register_trace.h"
#include "sim/x28c256_chip.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// A started App with the X28C256 selected and a simulated one in the socket.
struct X28Socket : SimulatedApp {
  explicit X28Socket(std::string socket = "X28C256", int slider = 18)
      : SimulatedApp({.socket = std::move(socket), .slider = slider}) {
    app.board.Reset();  // the chip's supply on, as a run starts
    platform.sleepTrace = &port.lines;
  }
  // The register writes, reads and sleeps of what runs in `action`.
  template <typename Action>
  std::vector<std::string> writesOf(Action action) {
    port.clear();
    action();
    return registerWrites(port.lines);
  }
  bool chipProtected() { return eeprom->dataProtection(clock.nowNs()); }
  // A cell as the chip holds it now (a load that has ended has been stored).
  std::uint8_t cell(std::uint32_t address) {
    eeprom->busy(clock.nowNs());
    return eeprom->cell(address);
  }

  std::shared_ptr<sim::X28C256Chip> eeprom = std::static_pointer_cast<sim::X28C256Chip>(chip);
  X28C256Eeprom x28{app.operations};
  std::vector<std::uint8_t> image = std::vector<std::uint8_t>(32 * 1024, 0xFF);
};

using Writes = std::vector<std::string>;

TEST(X28C256Commands, ACycleLoadsTheAddressAndDataThenPulsesChipEnableAndWriteStrobe) {
  X28Socket f;
  f.app.board.Reg3 = 0x82;
  const auto before = f.app.board.delays().iterations();
  const auto cycle = [&](CommandCycle c) {
    return f.writesOf([&] { f.x28.WriteCommandX28C256(c); });
  };
  // 5555h: A14 (bit 6 of 55h) moves to register 1 bit 7, the strobe bit 6 stays released.
  EXPECT_EQ(cycle({0x5555, 0xAA}),
            (Writes{"R1=D5", "R2=55", "R4=AA", "R3=02", "R1=95", "R1=D5", "R3=82"}));
  EXPECT_EQ(cycle({0x2AAA, 0x55}),
            (Writes{"R1=6A", "R2=AA", "R4=55", "R3=02", "R1=2A", "R1=6A", "R3=82"}));
  // Each step is held for 300 counts, besides the settling of each register write, which is
  // as short as at the fastest speed (2 counts, twice a write) whatever the slider says.
  EXPECT_EQ(f.app.board.ShortDelayCount, 12);
  const auto settling = 2u * 14u * 2u;
  EXPECT_EQ(f.app.board.delays().iterations() - before, 2u * 4u * 300u + settling);
}

TEST(X28C256Commands, ProtectionOffIsSixCyclesThenAPauseThatFollowsTheSlider) {
  X28Socket f("X28C256,locked");
  const auto writes = f.writesOf([&] { f.x28.SdpDisableX28C256(); });
  ASSERT_EQ(writes.size(), 2u + 6u * 7u + 1u);
  EXPECT_EQ(writes[0], "R0=40");  // output disabled
  EXPECT_EQ(writes[1], "R3=82");
  std::vector<std::string> data;
  for (std::size_t i = 2; i + 1 < writes.size(); i += 7) data.push_back(writes[i] + writes[i + 2]);
  EXPECT_EQ(data, (Writes{"R1=D5R4=AA", "R1=6AR4=55", "R1=D5R4=80", "R1=D5R4=AA", "R1=6AR4=55",
                          "R1=D5R4=20"}));
  EXPECT_EQ(writes.back(), "sleep 7");  // s + 5 with the slider at 18
  EXPECT_FALSE(f.chipProtected());
}

TEST(X28C256Commands, ProtectionOnKeepsLaterPlainWritesOut) {
  X28Socket f("X28C256", 20);
  auto& page = f.x28.pageWrite();
  f.image[0] = 0x11;
  page.loadPage(0, f.image);
  page.waitForWriteCycle();
  ASSERT_EQ(f.cell(0), 0x11);

  // The pause after the sequence covers the chip's write cycle even at the fastest setting.
  EXPECT_EQ(f.writesOf([&] { f.x28.SdpEnableX28C256(); }).back(), "sleep 11");
  EXPECT_TRUE(f.chipProtected());
  f.image[0] = 0x22;
  page.selectPage(0);
  page.loadPage(0, f.image);
  page.waitForWriteCycle();
  EXPECT_EQ(f.cell(0), 0x11);
  EXPECT_EQ(page.firstMismatch(0, f.image), 0);
}

TEST(X28C256Pages, RegisterOneCarriesA14OnBitSevenAndTheStrobeReleased) {
  X28Socket f;
  auto& page = f.x28.pageWrite();
  // Page p starts at p x 64: AddrMid 00h, 40h and 7Fh.
  EXPECT_EQ(f.writesOf([&] { page.selectPage(0x100); }), (Writes{"R1=C0"}));
  EXPECT_EQ(f.writesOf([&] { page.selectPage(0x000); }), (Writes{"R1=40"}));
  EXPECT_EQ(f.writesOf([&] { page.selectPage(0x003); }), Writes{});  // still AddrMid 00h
  EXPECT_EQ(f.writesOf([&] { page.selectPage(0x1FF); }), (Writes{"R1=FF"}));
}

TEST(X28C256Pages, EachByteIsLoadedWithItsOwnChipEnableAndStrobePulse) {
  X28Socket f;
  auto& page = f.x28.pageWrite();
  page.selectPage(5);
  f.app.board.Reg3 = 0xC2;  // chip enable released, bus released
  f.image[5 * 64] = 0x3C;
  f.image[5 * 64 + 1] = 0xA5;
  const auto writes = f.writesOf([&] { page.loadPage(5, f.image); });
  ASSERT_EQ(writes.size(), 64u * 7u);
  EXPECT_EQ(Writes(writes.begin(), writes.begin() + 14),
            (Writes{"R2=40", "R3=82", "R4=3C", "R3=02", "R1=01", "R1=41", "R3=82",  //
                    "R2=41", "R3=82", "R4=A5", "R3=02", "R1=01", "R1=41", "R3=82"}));
}

// The time of one busy-wait iteration on a slow PC of the parallel port's days, in picoseconds:
// there the settling loops of the slow slider settings take longest.
constexpr std::uint64_t kSlowPcLoopPs = 4000;

// A started App straight on a simulated board (no recording: a 32 KiB program is long) with the
// X28C256 of `socket` in its socket and chosen, the slider at `slider` and a random image open
// as the code file. The board's clock runs as on a slow PC. Every sleep and every step of the
// progress bar is noted.
struct X28Program : SimulatedApp {
  explicit X28Program(std::string socket = "X28C256", int slider = 18,
                      std::uint64_t loopPs = kSlowPcLoopPs)
      : SimulatedApp({.wiring = Wiring::Direct,
                      .loopPs = loopPs,
                      .socket = std::move(socket),
                      .slider = slider,
                      .randomBytes = 32768}) {
    view.onRepaint = [this](const Control& control) {
      if (control.name == "ProgressBar1") bar.emplace_back(control.value, control.max);
    };
    eeprom = std::static_pointer_cast<sim::X28C256Chip>(chip);
    platform.sleepTrace = &sleeps;
    app.options.BuildProgramImage(app.buffers.codeImage());
    sleeps.clear();
  }
  // The chip's cells as it holds them now (a write cycle that has ended has been stored).
  const std::vector<std::uint8_t>& cells() {
    eeprom->busy(clock.nowNs());
    return eeprom->cells();
  }
  bool chipHoldsCode() {
    return std::equal(cells().begin(), cells().end(), app.buffers.CodeBuffer.begin());
  }
  int slowness() const { return 20 - app.panel.Slider1.value; }

  std::shared_ptr<sim::X28C256Chip> eeprom;
  std::vector<std::string> sleeps;
  std::vector<std::pair<std::int32_t, std::int32_t>> bar;  // value and maximum, as shown
};

// The sleeps of a run in which every page took `attempts(page)` attempts: the half second
// before the run, protection off with its pause and the settling after it, then per attempt
// the pause before the load and the wait for the write cycle.
std::vector<std::string> sleepsOfRun(int s, int writeWaitMs,
                                     const std::function<int(int)>& attempts, int pages = 512) {
  auto sleep = [](int ms) { return "sleep " + std::to_string(ms); };
  std::vector<std::string> all(10, sleep(50));  // half a second, in slices a stop can end
  all.insert(all.end(), {sleep(s + 5), sleep(40)});
  for (int page = 0; page < pages; ++page) {
    for (int attempt = 0; attempt < attempts(page); ++attempt) {
      all.push_back(sleep(s + 1));
      all.push_back(sleep(writeWaitMs));
    }
  }
  return all;
}

struct SpeedCase {
  bool slowChip;
  int slider;
  int writeWaitMs;  // the pause after a page's last byte
};

class EverySpeed : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(EverySpeed, AGoodChipTakesEveryPageAtItsFirstAttempt) {
  const auto& p = GetParam();
  X28Program f(p.slowChip ? "X28C256,slow" : "X28C256", p.slider);
  const auto log = f.logOf([&] { f.app.x28c256.ProgramX28C256(f.app.programming.run); });
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 0);
  EXPECT_TRUE(f.chipHoldsCode());
  EXPECT_EQ(f.sleeps, sleepsOfRun(f.slowness(), p.writeWaitMs, [](int) { return 1; }));
  EXPECT_EQ(log,
            "\r\n12:34:56>  Programming 28C256 XICOR Device"
            "\r\n12:34:56>  XICOR 28C256 Programmed Sucessfully");
}

// The wait is s + 3 ms, and never less than the 11 ms in which a datasheet chip surely ends its
// write cycle. At slider 1 the register writes' settling loops would otherwise stretch a byte
// load past the chip's 100 us window on this slow PC, and the page would break apart.
INSTANTIATE_TEST_SUITE_P(Sliders, EverySpeed,
                         ::testing::Values(SpeedCase{false, 20, 11}, SpeedCase{false, 18, 11},
                                           SpeedCase{false, 10, 13}, SpeedCase{false, 1, 22},
                                           SpeedCase{true, 20, 11}, SpeedCase{true, 18, 11},
                                           SpeedCase{true, 10, 13}, SpeedCase{true, 1, 22}),
                         [](const auto& info) {
                           return std::string(info.param.slowChip ? "slow" : "typical") +
                                  "Chip_slider" + std::to_string(info.param.slider);
                         });

TEST(X28C256Program, WaitingOnlySPlusThreeMillisecondsCannotProgramAGoodChipAtTheDefaultSpeed) {
  // The write-cycle wait as it was first specified, without the chip's longest cycle as a
  // floor: at the default slider (s = 2) the page is read back while it is still being written,
  // and every attempt starts a new cycle that is read back too early again.
  PageWriteChip unguarded = X28C256Eeprom::kChip;
  unguarded.longestWriteCycleMs = 0;
  X28Program f;
  PageWrite page(f.app.operations, unguarded);
  page.program(f.app.programming.run);
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 1);
  EXPECT_EQ(f.sleeps, sleepsOfRun(
                          2, 5, [](int) { return 79; }, 1));
  // One step slower (s = 3) the 6 ms wait outlasts the 5 ms chip.
  X28Program slower("X28C256", 17);
  PageWrite(slower.app.operations, unguarded).program(slower.app.programming.run);
  EXPECT_EQ(slower.app.programming.run.ProgramFailed, 0);
  EXPECT_TRUE(slower.chipHoldsCode());
}

TEST(X28C256Program, APageTheChipAlreadyHoldsStillGetsItsWriteCycle) {
  X28Program f;
  for (std::uint32_t a = 0; a < 32768; ++a) f.chip->setCell(a, f.app.buffers.CodeBuffer[a]);
  f.app.x28c256.ProgramX28C256(f.app.programming.run);
  EXPECT_EQ(f.sleeps, sleepsOfRun(2, 11, [](int) { return 1; }));
  EXPECT_EQ(f.eeprom->busy(f.clock.nowNs()), false);
}

TEST(X28C256Program, APageThatNeverReadsBackIsWrittenSeventyNineTimesThenReported) {
  X28Program f("X28C256,stuck0@40=01");  // bit 0 of 40h stuck at 0
  f.app.options.image.bytes[0x40] = 0xA5;
  f.app.options.image.bytes[0x80] = 0x5A;
  const auto log = f.logOf([&] { f.app.x28c256.ProgramX28C256(f.app.programming.run); });
  EXPECT_EQ(f.sleeps, sleepsOfRun(
                          2, 11, [](int page) { return page == 0 ? 1 : 79; }, 2));
  EXPECT_EQ(log,
            "\r\n12:34:56>  Programming 28C256 XICOR Device"
            "\r\n12:34:56>  *** Programming Failure ***"
            "\r\n12:34:56>  *** Address:40h, Programming BYTE:A5h, Read BYTE:A4h"
            "\r\n12:34:56>  *** Aborting Programming - Click on [ERROR] Indicator to Reset");
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 1);
  EXPECT_EQ(f.app.board.Reg0, 0);
  EXPECT_EQ(f.cells()[0x80], 0xFF);  // the pages after it are left alone
}

TEST(X28C256Program, TheBarStepsOncePerEightPagesUpToSixtyFourOfSixtyFour) {
  X28Program f;
  f.app.x28c256.ProgramX28C256(f.app.programming.run);
  std::vector<std::pair<std::int32_t, std::int32_t>> steps;
  for (const auto& shown : f.bar) {
    if (shown.second == 64) steps.push_back(shown);
  }
  ASSERT_EQ(steps.size(), 64u);
  EXPECT_EQ(steps.front(), std::make_pair(1, 64));
  EXPECT_EQ(steps.back(), std::make_pair(64, 64));
}

// On a PC as fast as today's or as slow as 200 ns an iteration: the unlock's command bytes
// each come within the chip's 100 us byte-load window.
TEST(X28C256Program, AProtectedChipIsUnlockedFirstAndProgrammed) {
  for (const std::uint64_t loopPs : {5'000u, 60'000u, 200'000u}) {
    X28Program f("X28C256,locked", 18, loopPs);
    f.app.x28c256.ProgramX28C256(f.app.programming.run);
    EXPECT_TRUE(f.chipHoldsCode()) << loopPs;
    EXPECT_FALSE(f.eeprom->dataProtection(f.clock.nowNs())) << loopPs;
    EXPECT_EQ(f.board.events().total(), 0u) << loopPs;
  }
}

TEST(X28C256Program, AskedToProtectTheChipItSwitchesProtectionOnAfterASuccessfulProgram) {
  X28Program f;
  f.app.click("menuProtectEeprom");
  const auto log = f.logOf([&] { f.app.x28c256.ProgramX28C256(f.app.programming.run); });
  EXPECT_TRUE(f.chipHoldsCode());
  EXPECT_TRUE(f.eeprom->dataProtection(f.clock.nowNs()));
  EXPECT_EQ(log,
            "\r\n12:34:56>  Programming 28C256 XICOR Device"
            "\r\n12:34:56>  XICOR 28C256 Programmed Sucessfully"
            "\r\n12:34:56>  XICOR 28C256 Data Protection Enabled");
}

TEST(X28C256Program, AFailedProgramLeavesProtectionAsItWas) {
  X28Program f("X28C256,stuck0@0=80");
  f.app.options.image.bytes[0] = 0xFF;
  f.app.click("menuProtectEeprom");
  f.app.x28c256.ProgramX28C256(f.app.programming.run);
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 1);
  EXPECT_FALSE(f.eeprom->dataProtection(f.clock.nowNs()));
}

}  // namespace
}  // namespace burnlab::testing
