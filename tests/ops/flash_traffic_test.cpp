// The flash chips' board traffic, access by access, and what identification and programming
// make of the bytes the chip answers with, on a recording port with scripted reads.
#include <gtest/gtest.h>

#include <tuple>

#include "link/tracing_port.h"
#include "ops/register_trace.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// A recording port with no board behind it and `part` chosen under the opt-in, its image all
// FFh.
struct FlashTraffic : SimulatedApp {
  explicit FlashTraffic(std::string part = "AM29F040") : SimulatedApp(optedIn(std::move(part))) {
    platform.sleepTrace = &port.lines;
  }
  static AppOptions optedIn(std::string part) {
    auto options = scriptedBoard(std::move(part));
    options.untested = true;
    return options;
  }
  // The identification bytes, then the data bytes at addresses 0 and 1.
  void scriptIdentification(std::uint8_t maker, std::uint8_t device, std::uint8_t data0 = 0x12,
                            std::uint8_t data1 = 0x34) {
    for (const auto byte : {maker, device, data0, data1}) scriptRead(byte);
  }
  std::vector<std::string> writes() const { return registerWrites(port.lines); }
  long count(const std::string& line) const {
    const auto all = writes();
    return std::count(all.begin(), all.end(), line);
  }
};

// A register written directly: data, then the strobe and idle values of a model-6 board.
void direct(std::vector<std::string>& lines, int reg, std::uint8_t value) {
  static constexpr std::uint8_t kIdle[] = {0x05, 0x0D, 0x07, 0x0F, 0x01};
  lines.push_back(traceLine("out", 0x378, value));
  lines.push_back(traceLine("out", 0x37A, kIdle[reg] & 0x0E));
  lines.push_back(traceLine("out", 0x37A, kIdle[reg]));
}

// The three bus cycles as register writes, "R4=AA" and so on.
std::vector<std::string> commandWrites(const char* command) {
  std::vector<std::string> writes{"R3=84"};
  for (const auto& [data, high, low] : {std::tuple{"AA", "05", "55"}, std::tuple{"55", "02", "AA"},
                                        std::tuple{command, "05", "55"}}) {
    writes.insert(writes.end(), {std::string("R4=") + data, std::string("R1=") + high,
                                 std::string("R2=") + low, "R3=04", "R3=00", "R3=04", "R3=84"});
  }
  return writes;
}

TEST(FlashTraffic, TheCommandSequenceIsOutputDisabledThenTwentyTwoDirectWritesAndNoShadowChanges) {
  FlashTraffic f;
  const auto shadows = std::array{f.app.board.Reg1, f.app.board.Reg2, f.app.board.Reg3};
  f.app.flash.commands.FlashCommand = 0x1F0;  // only the low byte is sent
  f.app.flash.commands.SendFlashCommand();
  auto expected = Traffic().write(0, 0x40).lines;
  const std::uint8_t kWrites[22][2] = {
      {3, 0x84}, {4, 0xAA}, {1, 0x05}, {2, 0x55}, {3, 0x04}, {3, 0x00}, {3, 0x04}, {3, 0x84},
      {4, 0x55}, {1, 0x02}, {2, 0xAA}, {3, 0x04}, {3, 0x00}, {3, 0x04}, {3, 0x84}, {4, 0xF0},
      {1, 0x05}, {2, 0x55}, {3, 0x04}, {3, 0x00}, {3, 0x04}, {3, 0x84}};
  for (const auto& [reg, value] : kWrites) direct(expected, reg, value);
  EXPECT_EQ(f.port.lines, expected);
  EXPECT_EQ((std::array{f.app.board.Reg1, f.app.board.Reg2, f.app.board.Reg3}), shadows);
}

TEST(FlashTraffic, OneIdentificationReadsBothPairsBetweenItsCommandsAndLogsTheChip) {
  FlashTraffic f;
  f.scriptIdentification(0x01, 0xA4);
  const auto log = f.logOf([&] { f.app.menuFlashShowCodeID_Click(); });
  std::vector<std::string> expected{"R0=40", "R1=00", "R2=00", "R3=C4", "R0=48", "R0=48", "R0=48"};
  for (const auto& write : commandWrites("90")) expected.push_back(write);
  expected.insert(expected.end(), {"R3=44", "R0=08", "R3=44", "R1=00", "R2=00", "R3=44", "read",
                                   "R1=00", "R2=01", "R3=44", "read", "R0=48", "R0=48"});
  for (const auto& write : commandWrites("F0")) expected.push_back(write);
  expected.insert(expected.end(),
                  {"sleep 20", "sleep 20", "R3=44", "R0=08", "R1=00", "R2=00", "R3=44", "read",
                   "R1=00", "R2=01", "R3=44", "read", "R3=C4", "R0=48", "R0=40"});
  EXPECT_EQ(f.writes(), expected);
  EXPECT_EQ(log,
            "\r\n12:34:56>  Reading Flash Code ID_________________ wait"
            "\r\n12:34:56>  Device ID# 01A4 - AMD am29F040 Flash Memory");
  EXPECT_EQ(f.app.flash.identification.FlashCode, "1234");
  EXPECT_EQ(f.app.flash.identification.FlashSectorSize, 512);
}

TEST(FlashTraffic, IdentitiesAreReadAsTheirTableSaysOrFlaggedAsUnknownOrAsNoFlash) {
  for (const auto& [maker, device, data0, data1, lines, sectorSize] : {
           std::tuple{0x1F, 0xDC, 0x00, 0x11,
                      "\r\n12:34:56>  Device ID# 1FDC - ATMEL 29C256 Flash Memory", 64},
           std::tuple{0x0A, 0x0B, 0xC0, 0xDE, "\r\n12:34:56>  Device ID# 0A0B -  Not Valid!!!", 0},
           // The chip ignored the command: both reads give its data.
           std::tuple{0x12, 0x34, 0x12, 0x34,
                      "\r\n12:34:56>  *** Not a Flash Unit, Address 00&01 = FlashCode ***"
                      "\r\n12:34:56>  Device ID# 1234 -  Not Valid!!!",
                      0},
       }) {
    FlashTraffic f;
    f.scriptIdentification(maker, device, data0, data1);
    const auto log = f.logOf([&] { f.app.flash.identification.ReadFlashCodeId(); });
    EXPECT_EQ(log, lines);
    EXPECT_EQ(f.app.flash.identification.FlashSectorSize, sectorSize);
  }
}

TEST(FlashTraffic, AnUnknownMakerIsRefusedWithoutWritingAndWithoutTheDispatchersMessages) {
  FlashTraffic f;
  f.app.buffers.CodeBuffer[0] = 0x00;
  f.scriptIdentification(0x89, 0x1F);
  f.app.Program_button_Click();
  EXPECT_TRUE(f.app.panel.SystemLog.text.ends_with("Device ID# 891F - Not Supported"))
      << f.app.panel.SystemLog.text;
  EXPECT_EQ(f.app.programming.run.ProgramStatus, ProgrammingRun::kRoutineRefused);
  EXPECT_EQ(f.count("R4=A0"), 0);
  EXPECT_FALSE(f.logged("Status 9"));
  EXPECT_FALSE(f.logged("Successfull"));
}

// Maker 1Fh is not polled: each byte gets its program command and 1 ms, and counts as done.
// A code size of 1,000 is handled as four whole pages; past the code they hold FFh, the erased
// state, which needs no program command.
TEST(FlashTraffic, AMaker1FChipIsNotPolledAndACodeSizeOf1000FillsFourWholePages) {
  FlashTraffic f;
  std::fill_n(f.app.buffers.CodeBuffer.begin(), 1024, 0x00);
  f.app.buffers.CodeSize = 1000;
  f.scriptIdentification(0x1F, 0xA4);
  f.app.Program_button_Click();
  EXPECT_EQ(f.count("R4=A0"), 1000);
  EXPECT_EQ(f.count("sleep 1"), 1024);
  EXPECT_EQ(f.readBacks(), 4u);  // the identification's only
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  // The last byte programmed went to 3E7h: page 3, byte E7h.
  const auto writes = f.writes();
  const auto last = std::find(writes.rbegin(), writes.rend(), "R4=A0").base();
  EXPECT_EQ(std::vector<std::string>(last + 6, last + 10),
            (std::vector<std::string>{"R4=00", "R1=03", "R2=E7", "R3=84"}));
  EXPECT_EQ(f.count("R1=03"), 256);
  EXPECT_EQ(f.count("R1=04"), 0);
}

TEST(FlashTraffic, AByteIsWrittenWithItsCommandAndAWriteEnablePulseAndPolledAtItsAddress) {
  FlashTraffic f;
  f.app.board.Reg1 = 0x12;
  f.app.board.Reg2 = 0x34;
  f.app.board.Reg3 = 0x85;  // A16 high, CE released, the bus driven, write enable released
  f.app.flash.programming.WriteFlashByte(0x5A);
  f.scriptRead(0x5A);
  f.app.flash.programming.PollFlashByte(0x5A);
  std::vector<std::string> expected{"R0=40"};
  for (const auto& write : commandWrites("A0")) expected.push_back(write);
  expected.insert(expected.end(),
                  {"R4=5A", "R1=12", "R2=34", "R3=85", "R3=05", "R3=01", "R3=05", "R3=85", "R3=C5",
                   "R3=45", "R0=00", "read", "R0=40", "R3=C5", "R3=85"});
  EXPECT_EQ(f.writes(), expected);
  EXPECT_EQ(f.app.flash.programming.FlashBusy, 0);
}

TEST(FlashTraffic, ResetFlashIsOneWriteCycleOfF0AtTheLoadedAddress) {
  FlashTraffic f;
  f.app.ResetFlash_Click();
  EXPECT_EQ(f.writes(), (std::vector<std::string>{"R3=C4", "R0=40", "R4=F0", "R3=C0", "R3=40",
                                                  "R3=C0", "R3=C4"}));
}

TEST(FlashTraffic, TheAT29C256TakesItsOwnCommandCyclesAt5555And2AAA) {
  FlashTraffic f("AT29C256");
  f.app.flash.commands.FlashCommand = 0x90;
  f.app.flash.commands.SendFlashCommand();
  const auto writes = f.writes();
  // 55h with write enable released, set and after the strobe, at each of two cycles.
  EXPECT_EQ(std::count(writes.begin(), writes.end(), "R1=D5"), 4);
  EXPECT_EQ(std::count(writes.begin(), writes.end(), "R1=AA"), 2);
  EXPECT_EQ(std::count(writes.begin(), writes.end(), "R4=90"), 1);
  EXPECT_EQ(writes.back(), "sleep 5");
}

}  // namespace
}  // namespace burnlab::testing
