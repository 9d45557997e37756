// The X28C256's command cycles, protection sequences and page sequences, as register writes and
// on a simulated chip.
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

}  // namespace
}  // namespace burnlab::testing
