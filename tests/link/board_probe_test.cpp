// Probing one port for the board: which probe answers on which model, and model 6's test.
#include "link/board_probe.h"

#include <gtest/gtest.h>

#include <memory>

#include "link/board_test_support.h"
#include "sim/chip_catalogue.h"
#include "sim/sim_board.h"

namespace burnlab::testing {
namespace {

struct SimulatedProbe {
  SimulatedProbe(int model, std::uint16_t base) : simBoard(model, base, clock), rig(simBoard) {}
  sim::VirtualClock clock;
  sim::SimBoard simBoard;
  ProbeRig rig;
};

TEST(CheckHardware, AModelFourBoardAnswersOnlyProbeB) {
  SimulatedProbe f(4, 0x278);
  f.rig.probe(0x278);
  const auto answers = f.rig.answers();
  ASSERT_EQ(answers.size(), 4u);  // probe A's two reads, then probe B's
  EXPECT_NE(std::vector<int>(answers.begin(), answers.begin() + 2), (std::vector<int>{0, 0x70}));
  EXPECT_EQ(std::vector<int>(answers.begin() + 2, answers.end()), (std::vector<int>{0, 0x70}));
  EXPECT_EQ(f.rig.board.Model, 4);
  EXPECT_EQ(f.rig.foundPort, 0x278);
  EXPECT_EQ(f.rig.display.events, (std::vector<std::string>{"lamp on", "lamp off"}));
}

TEST(CheckHardware, ModelFiveAndSixBoardsAnswerOnlyProbeAAndTellThemselvesApart) {
  for (int model : {5, 6}) {
    SimulatedProbe f(model, 0x3BC);
    f.rig.board.Reg0 = 0x11;
    f.rig.board.Reg3 = 0x22;
    f.rig.probe(0x3BC);
    const auto answers = f.rig.answers();
    ASSERT_EQ(answers.size(), 8u) << model;  // the two probes, then two byte reads
    EXPECT_EQ(std::vector<int>(answers.begin(), answers.begin() + 2), (std::vector<int>{0, 0x70}));
    EXPECT_NE(std::vector<int>(answers.begin() + 2, answers.begin() + 4),
              (std::vector<int>{0, 0x70}));
    // Found on a first search, before any model was set up: the read-back of the model test
    // must still use the model-5/6 nibble selects.
    EXPECT_EQ(f.rig.board.Model, model);
    EXPECT_EQ(f.rig.foundPort, 0x3BC);
    // Nothing is written through the shadows, and no model is set up.
    EXPECT_EQ(f.rig.board.Reg0, 0x11);
    EXPECT_EQ(f.rig.board.Reg3, 0x22);
    EXPECT_EQ(f.rig.board.CtrlIdle, (std::array<std::int16_t, 5>{}));
  }
}

TEST(CheckHardware, APortWhereBothProbesAnswerIsTakenAsModelFour) {
  ProbeRig rig;
  rig.port.scriptedReads = {0x07, 0x7F, 0x07, 0x7F};
  rig.probe(0x378);
  EXPECT_EQ(rig.board.Model, 4);
  EXPECT_EQ(rig.foundPort, 0x378);
  EXPECT_EQ(rig.port.lines.size(), 23u);  // the two probes; no model test follows
}

TEST(CheckHardware, ModelSixOnlyOnTheExactAnswersEFhThenFFh) {
  struct Case {
    std::uint8_t reads[4];  // the status reads of the model test: low, high, low, high
    int model;
  };
  // Models 5/6 read D0..D3 and D4..D7 on status bits 3..6: 7Fh is nibble F, 77h nibble E.
  const Case cases[] = {{{0x7F, 0x77, 0x7F, 0x7F}, 6},
                        {{0x7F, 0x7F, 0x7F, 0x7F}, 5},
                        {{0x7F, 0x77, 0x7F, 0x77}, 5},
                        {{0x77, 0x77, 0x7F, 0x7F}, 5},
                        {{0x7F, 0x7F, 0x7F, 0x77}, 5}};
  for (const auto& c : cases) {
    ProbeRig rig;
    rig.port.scriptedReads = {0x07, 0x7F, 0x7F, 0x7F};
    rig.port.scriptedReads.insert(rig.port.scriptedReads.end(), std::begin(c.reads),
                                  std::end(c.reads));
    rig.probe(0x378);
    EXPECT_EQ(rig.board.Model, c.model);
  }
}

TEST(CheckHardware, EveryProbeWriteIsOneRawPortAccess) {
  ProbeRig rig;
  rig.probe(0x278);
  EXPECT_EQ(rig.port.lines,
            (std::vector<std::string>{
                // probe A
                "out 0278 9F", "out 027A 0E", "out 027A 00", "out 0278 00", "out 027A 06",
                "in 0279 7F", "out 027A 00", "out 0278 FF", "out 027A 06", "in 0279 7F",
                // probe B
                "out 027A 09", "out 0278 BF", "out 027A 01", "out 027A 09", "out 0278 00",
                "out 027A 0F", "out 027A 09", "in 0279 7F", "out 0278 FF", "out 027A 0F",
                "out 027A 09", "in 0279 7F", "out 027A 08"}));
  // Each probe waits for the board to settle before each of its two reads.
  EXPECT_EQ(rig.board.delays().iterations(), 4u * 5 * 100);
}

TEST(CheckHardware, AChipInTheSocketDoesNotMakeAModelSixLookLikeAModelFive) {
  // A 32-pin chip is always powered. Register 0 as a board may hold it when switched on: OE
  // asserted. Were CE asserted too, the chip's bytes would mix into the model test's reads.
  SimulatedProbe f(6, 0x378);
  std::string error;
  auto chip = sim::ChipCatalogue::make("27C080", {}, error);
  ASSERT_NE(chip, nullptr) << error;
  for (std::uint32_t address = 0; address < chip->size(); ++address) chip->setCell(address, 0);
  f.simBoard.insert(chip);
  ASSERT_EQ(f.simBoard.registers()[0] & 0x40, 0);  // OE asserted
  f.rig.probe(0x378);
  EXPECT_EQ(f.rig.board.Model, 6);
  // The model test's register 3 values keep CE (bit 7) released.
  const auto& lines = f.rig.port.lines;
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(lines[23], "out 0378 E0");
  EXPECT_EQ(lines[30], "out 0378 C0");
}

TEST(CheckHardware, ANoBoardPortIsLoggedAndChangesNothing) {
  ProbeRig rig;
  rig.board.Model = 5;  // found on a port probed earlier in the same search
  rig.foundPort = 0x278;
  rig.port.scriptedReads = {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x77, 0x7F, 0x7F};
  rig.probe(0x3BC);
  // The model test runs again on this port and can turn the earlier find into a model 6.
  EXPECT_EQ(rig.board.Model, 6);
  EXPECT_EQ(rig.foundPort, 0x278);
  EXPECT_EQ(rig.display.events,
            (std::vector<std::string>{"lamp on", "lamp off", "Port 3BC Not Responding"}));
}

}  // namespace
}  // namespace burnlab::testing
