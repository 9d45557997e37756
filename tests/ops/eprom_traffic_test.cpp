// The EPROM routines' board traffic, register write by register write, against a recording
// port: the line preparation, the programming value of register 0, the read before writing,
// one pulse attempt (the bus released before the chip's outputs turn on) and its read-back, for
// each routine; then the attempt counting.
#include <gtest/gtest.h>

#include "ops/register_trace.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

constexpr std::uint8_t kByte = 0x5A;

// Programs kByte at address 0 of `part`, the rest FFh; the chip reads back
// `readBefore` before writing (the routines that read first), then kByte after one pulse.
std::vector<std::string> programOneByte(const char* part, bool readsFirst) {
  SimulatedApp f(scriptedBoard(part));
  f.app.buffers.CodeBuffer[0] = kByte;
  if (readsFirst) f.scriptRead(0xFF);
  f.scriptRead(kByte);
  f.app.Program_button_Click();
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  return f.port.lines;
}

TEST(EpromPulseTraffic, P2732ReadsFirstThenPulsesCeForFiveMillisecondsWithVppOnOe) {
  const auto expected = Traffic()
                            .address(0x20, 0x00, 0xC0)  // the dispatcher's address load
                            .write(3, 0x80)
                            .write(3, 0x80)
                            .write(0, 0x40)  // REG4ON, CEOEOFF
                            .write(0, 0x48)  // programming base, 12.5 V
                            .write(0, 0x08)  // OEON once
                            .write(3, 0xC0)  // the bus released for the reads before writing
                            .address(0x20, 0x00, 0xC0)  // read first: SETADR
                            .write(0, 0x08)
                            .write(0, 0x08)
                            .write(3, 0x40)             // VPP24_OFF, OEON, CEON
                            .readBack(0x40, 0xFF)       // ReadBackByte
                            .write(3, 0xC0)             // CEOFF
                            .address(0x20, 0x00, 0xC0)  // SETADR
                            .write(4, kByte)
                            .write(3, 0xC0)  // the byte, CEOFF
                            .write(3, 0x80)  // REG4ON
                            .write(0, 0xC8)
                            .write(3, 0x00)  // VPP24_ON, CEON: the pulse
                            .write(3, 0x80)
                            .write(0, 0x08)
                            .write(3, 0xC0)
                            .write(3, 0x40)         // CEOFF, VPP24_OFF, the bus released, CEON
                            .readBack(0x40, kByte)  // ReadBackByte
                            .write(0, 0x00)         // the Program lamp blinks at 0
                            .lines;
  EXPECT_GE(findRun(programOneByte("2732A", true), expected), 0);
}

TEST(EpromPulseTraffic, P2764_128PulsesPgmWithCeHeldLowAndVerifiesWithOe) {
  const auto expected = Traffic()
                            .address(0xC0, 0x00, 0xC2)  // the dispatcher's address load
                            .write(3, 0x82)
                            .write(3, 0x82)
                            .write(0, 0x40)             // REG4ON, CEOEOFF
                            .write(0, 0x58)             // base, VPP onto pin 1
                            .address(0xC0, 0x00, 0x82)  // SETADR
                            .write(3, 0x02)             // CEON once
                            .write(3, 0x02)
                            .write(4, kByte)  // REG4ON, the byte
                            .write(1, 0x80)
                            .write(1, 0xC0)         // PGM low, PGM high
                            .write(3, 0x42)         // the bus released
                            .write(0, 0x18)         // OEON
                            .readBack(0x42, kByte)  // ReadBackByte
                            .write(0, 0x58)         // OEOFF
                            .write(0, 0x50)         // blink
                            .lines;
  EXPECT_GE(findRun(programOneByte("2764", false), expected), 0);
}

TEST(EpromPulseTraffic, P27256_040PulsesCeAndReadsBackInProgramVerifyMode) {
  const auto expected = Traffic()
                            .address(0x80, 0x00, 0xC2)  // dispatcher
                            .write(3, 0x82)
                            .write(3, 0x82)
                            .write(0, 0x40)             // REG4ON, CEOEOFF
                            .write(0, 0x58)             // VPP onto pin 1
                            .address(0x80, 0x00, 0x82)  // SETADR
                            .write(3, 0x82)
                            .write(4, kByte)  // REG4ON, the byte
                            .write(3, 0x82)
                            .write(0, 0x58)  // CEOEOFF
                            .write(3, 0x02)
                            .write(3, 0x82)  // CEON, CEOFF
                            .write(3, 0xC2)  // the bus released
                            .write(0, 0x18)  // OEON, VPP stays
                            .readBack(0xC2, kByte)
                            .write(0, 0x58)  // read, OEOFF
                            .write(0, 0x50)  // blink
                            .lines;
  EXPECT_GE(findRun(programOneByte("27C256", false), expected), 0);
}

TEST(EpromPulseTraffic, P27080ReadsFirstAndPulsesCeWithVppOnOe) {
  const auto expected = Traffic()
                            .address(0x00, 0x00, 0xC2)  // dispatcher
                            .write(3, 0x82)
                            .write(3, 0x82)
                            .write(0, 0x40)  // REG4ON, CEOEOFF
                            .write(0, 0x48)  // base only
                            .write(0, 0x08)  // OEON once
                            .write(3, 0xC2)  // the bus released for the reads before writing
                            .address(0x00, 0x00, 0xC2)  // read first: SETADR
                            .write(3, 0x42)
                            .readBack(0x42, 0xFF)  // CEON, read
                            .write(3, 0xC2)        // CEOFF
                            .write(4, kByte)       // no SETADR: the byte
                            .write(0, 0xC8)
                            .write(3, 0x82)  // VPP24_ON, REG4ON
                            .write(3, 0x02)
                            .write(3, 0x82)  // the CE pulse
                            .write(0, 0x08)
                            .write(3, 0xC2)
                            .write(3, 0x42)         // VPP24_OFF, the bus released, CEON
                            .readBack(0x42, kByte)  // ReadBackByte
                            .write(0, 0x00)         // blink
                            .lines;
  EXPECT_GE(findRun(programOneByte("27C512", true), expected), 0);
}

TEST(EpromPulseTraffic, P27010_020PulsesPgmOnPin31WithCeLowFromTheStart) {
  const auto expected = Traffic()
                            .address(0x00, 0x00, 0xCC)  // dispatcher
                            .write(3, 0x4C)
                            .write(0, 0x40)             // CEON, OEOFF
                            .write(0, 0x68)             // VPP onto pin 1
                            .address(0x00, 0x00, 0x4C)  // SETADR
                            .write(3, 0x0C)
                            .write(4, kByte)  // REG4ON, the byte
                            .write(3, 0x08)
                            .write(3, 0x0C)  // PGM low, high
                            .write(3, 0x4C)  // the bus released
                            .write(0, 0x28)  // OEON
                            .readBack(0x4C, kByte)
                            .write(0, 0x68)  // read, OEOFF
                            .write(0, 0x60)  // blink
                            .lines;
  EXPECT_GE(findRun(programOneByte("27C010", false), expected), 0);
}

TEST(EpromPulseTraffic, AByteThatNeverReadsBackRightGets254PulsesAndTheReport) {
  SimulatedApp f(scriptedBoard("2764"));
  f.app.buffers.CodeBuffer[0x1234] = 0x0A;  // everything else FFh: nothing else is pulsed
  const auto log = f.logOf([&] { f.app.Program_button_Click(); });
  EXPECT_EQ(f.readBacks(), 254u);  // one read-back per pulse, and no 255th pulse
  EXPECT_EQ(log,
            "\r\n12:34:56>  Programming Button Pressed"
            "\r\n12:34:56>  Programming Started... Wait "
            "\r\n12:34:56>  *** Programming Failure ***"
            "\r\n12:34:56>  *** Address:1234h, Programming BYTE:Ah, Read BYTE:FFh"
            "\r\n12:34:56>  *** Aborting Programming - Click on [ERROR] Indicator to Reset");
  // The report switches every programming voltage off, then releases CE and OE; the
  // dispatcher then writes register 0's idle value and resets the board.
  const auto report = Traffic().write(0, 0x00).write(3, 0xC2).write(0, 0x40).lines;
  EXPECT_GE(findRun(f.port.lines, report), 0);
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kWhite);
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kWhite);
  EXPECT_NE(f.app.panel.DataFlow_label.foreColor, kGreyText);
  EXPECT_FALSE(f.app.panel.Program_button.enabled);
  EXPECT_EQ(f.platform.sounds.back().filename(), "error.wav");
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 1);
}

// The delay-loop iterations of programming one byte that reads back right at pulse `n`.
std::uint64_t iterationsForPulses(int n) {
  SimulatedApp f(scriptedBoard("2764"));
  f.app.valueChosen("Slider1", 19);  // long pulses of 100002 iterations, medium 20002
  f.app.buffers.CodeBuffer[0] = 0x00;
  for (int i = 1; i < n; ++i) f.scriptRead(0xFF);
  f.scriptRead(0x00);
  const auto before = f.app.board.delays().iterations();
  f.app.Program_button_Click();
  EXPECT_EQ(f.readBacks(), static_cast<std::size_t>(n));
  return f.app.board.delays().iterations() - before;
}

TEST(EpromPulseTraffic, TheFiftySixthPulseIsTheFirstLengthenedOne) {
  const auto at54 = iterationsForPulses(54);
  const auto at55 = iterationsForPulses(55);
  const auto at56 = iterationsForPulses(56);
  const auto at57 = iterationsForPulses(57);
  const std::uint64_t normalPulse = at55 - at54;
  EXPECT_EQ(at56 - at55, normalPulse + 100002);  // pulse 56 adds DelayLong
  EXPECT_EQ(at57 - at56, normalPulse + 100002);
}

}  // namespace
}  // namespace burnlab::testing
