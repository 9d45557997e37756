// The simulated board follows its wiring: latches, read-back lines, bus and identification.
#include "sim/sim_board.h"

#include <gtest/gtest.h>

#include "socket_rig.h"

namespace burnlab::sim {
namespace {

// A chip that drives a fixed byte onto the bus while enabled.
struct DrivingChip final : SocketChip {
  explicit DrivingChip(std::uint8_t value) : value(value) {}
  void linesChanged(const SocketLines& lines, std::uint64_t) override { seen = lines; }
  std::uint8_t output(const SocketLines&, std::uint64_t) override { return enabled ? value : 0xFF; }
  std::uint8_t drivenLines(const SocketLines&, std::uint64_t) override {
    return enabled ? pushPull : 0x00;
  }
  std::uint8_t value;
  bool enabled = true;
  std::uint8_t pushPull = 0x00;  // the lines it drives high as well as low
  SocketLines seen;
};

// The socket rig with the program's own ways of releasing the bus and of reading a nibble.
struct Rig : SocketRig {
  using SocketRig::SocketRig;
  // REG4 line released: the board leaves the data bus to the chip and the pull-ups.
  void releaseBus() {
    board.Reg3 = 0xC4;
    board.SetReg3();
  }
  // Reads one nibble the way the program does: select it, then read the status register.
  std::uint8_t status(bool low) {
    sim.PortOut(board.PortControl,
                static_cast<std::uint8_t>(low ? board.ReadSelectLow : board.ReadSelectHigh));
    return sim.PortIn(board.PortStatus);
  }
};

TEST(SimBoard, EachModelLatchesEveryRegisterThroughTheWriteProtocol) {
  for (int model : {4, 5, 6}) {
    Rig rig(model);
    for (int reg = 0; reg < 5; ++reg) rig.set(reg, 0x11 * (reg + 1));  // through Board::SetRegN
    EXPECT_EQ(rig.sim.registers(), (std::array<std::uint8_t, 5>{0x11, 0x22, 0x33, 0x44, 0x55}))
        << "model " << model;
  }
}

TEST(SimBoard, ALatchFollowsTheDataWhileStrobedAndHoldsAfterwards) {
  Rig rig(5);
  rig.sim.PortOut(0x37A, 0x06);  // register 2, strobe active
  rig.sim.PortOut(0x378, 0xAA);
  EXPECT_EQ(rig.sim.registers()[2], 0xAA);
  rig.sim.PortOut(0x378, 0xBB);
  EXPECT_EQ(rig.sim.registers()[2], 0xBB);
  rig.sim.PortOut(0x37A, 0x07);  // strobe ends
  rig.sim.PortOut(0x378, 0xCC);
  EXPECT_EQ(rig.sim.registers()[2], 0xBB);
  // A model-4 strobe value means nothing to a model-5 board's inverted lines.
  rig.sim.PortOut(0x37A, 0x09);
  EXPECT_EQ(rig.sim.registers()[2], 0xBB);
}

TEST(SimBoard, ModelFiveAndSixShowTheNibblesOnErrorSelectPaperEndAck) {
  Rig rig(5);
  rig.sim.insert(std::make_shared<DrivingChip>(0xA6));
  rig.releaseBus();
  EXPECT_EQ(rig.status(true), 0x07 | (0x6 << 3));   // D0..D3 = 0110
  EXPECT_EQ(rig.status(false), 0x07 | (0xA << 3));  // D4..D7 = 1010, Busy reads 0
}

TEST(SimBoard, ModelFourScramblesTheLinesAndInvertsBusy) {
  Rig rig(4);
  rig.sim.insert(std::make_shared<DrivingChip>(0x5C));
  rig.releaseBus();
  // Low nibble 1100: bit0 0 -> nAck 0, bit1 0 -> Busy reads 1, bit2 1 -> PaperEnd, bit3 1 ->
  // Select.
  EXPECT_EQ(rig.status(true), 0x80 | 0x20 | 0x10 | 0x0F);
  // High nibble 0101: nAck 1, Busy reads 1 (bit1 = 0), PaperEnd 1, Select 0.
  EXPECT_EQ(rig.status(false), 0x40 | 0x80 | 0x20 | 0x0F);
}

TEST(SimBoard, TheBusIsTheWiredAndOfBoardChipAndPullUps) {
  Rig rig(6);
  auto chip = std::make_shared<DrivingChip>(0xF0);
  rig.sim.insert(chip);
  rig.set(4, 0x3C);
  rig.releaseBus();
  EXPECT_EQ(rig.sim.dataBus(), 0xF0);
  rig.board.REG4ON();
  EXPECT_EQ(rig.sim.dataBus(), 0x30);
  EXPECT_EQ(chip->seen.boardDrive, 0x3C);
  chip->enabled = false;
  EXPECT_EQ(rig.sim.dataBus(), 0x3C);
  rig.board.REG4OFF();
  EXPECT_EQ(rig.sim.dataBus(), 0xFF);
}

TEST(SimBoard, OnlyModelSixPullsD4WhileRegisterThreeBitFiveIsSet) {
  for (int model : {5, 6}) {
    Rig rig(model);
    rig.set(3, 0xE4);  // bit 5 set, REG4 released
    EXPECT_EQ(rig.sim.dataBus(), model == 6 ? 0xEF : 0xFF) << model;
    rig.board.REG4ON();
    rig.set(4, 0xFF);
    EXPECT_EQ(rig.sim.dataBus(), 0xFF) << model;
  }
}

// Every access takes a microsecond, or the access time set, and is counted: a port with nothing
// behind it too.
TEST(SimBoard, OtherPortsHaveNothingBehindThemAndEachAccessTakesItsTimeAndIsCounted) {
  Rig rig(6, 0x278);
  rig.sim.PortOut(0x378, 0x00);
  rig.sim.PortOut(0x37A, 0x0E);
  EXPECT_EQ(rig.sim.PortIn(0x379), 0x7F);
  EXPECT_EQ(rig.sim.PortIn(0x3BD), 0x7F);
  EXPECT_EQ(rig.sim.registers()[3], 0x00);
  EXPECT_EQ(rig.clock.nowNs(), 4 * kPortAccessNs);
  rig.sim.setAccessNs(250);
  const auto before = rig.sim.counters();
  rig.sim.PortOut(0x278, 0x00);
  rig.sim.PortIn(0x279);
  rig.sim.PortIn(0x3BD);
  const auto after = rig.sim.counters();
  EXPECT_EQ(after.accesses - before.accesses, 3u);
  EXPECT_EQ(after.nowNs - before.nowNs, 750u);
}

TEST(SimBoard, CountsTheContentionsOfBoardAndChipAndTheLongest) {
  Rig rig(6);
  auto chip = std::make_shared<DrivingChip>(0xF0);
  chip->pushPull = 0xFF;
  rig.releaseBus();
  rig.sim.insert(chip);
  EXPECT_EQ(rig.sim.markCommand().contentions, 0u) << "the chip alone on the bus";

  rig.board.REG4ON();  // the board drives while the chip outputs
  rig.clock.advanceNs(40'000);
  rig.board.REG4OFF();
  auto seen = rig.sim.counters();
  EXPECT_EQ(seen.contentions, 1u);
  EXPECT_GE(seen.longestContentionNs, 40'000u);
  EXPECT_LT(seen.longestContentionNs, 60'000u);

  // Model 6's identification line pulls D4 low where the chip drives a 1.
  rig.set(3, 0xE4);
  rig.clock.advanceNs(5'000);
  rig.releaseBus();
  seen = rig.sim.counters();
  EXPECT_EQ(seen.contentions, 2u);
  EXPECT_GE(seen.longestContentionNs, 40'000u) << "the longest of the command";
  EXPECT_LT(rig.sim.markCommand().longestContentionNs, 1u) << "a new command starts afresh";

  // An open-drain chip (or one that drives nothing) never fights the board.
  chip->pushPull = 0x00;
  rig.board.REG4ON();
  rig.board.REG4OFF();
  EXPECT_EQ(rig.sim.counters().contentions, 2u);
}

}  // namespace
}  // namespace burnlab::sim
