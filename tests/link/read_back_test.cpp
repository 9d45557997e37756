// Reading a data byte back through the status nibbles, for each model's wiring.
#include <gtest/gtest.h>

#include "link/board_test_support.h"
#include "sim/sim_board.h"

namespace burnlab::testing {
namespace {

TEST(ReadBack, IsFourAccessesAndDecodesTheStatusReadsOfEachModel) {
  BoardRig model4(4);
  model4.port.scriptedReads = {0x00, 0x00};
  model4.board.GetNibbles();
  EXPECT_EQ(model4.board.DataByte, 0x22);  // the inverted Busy bits read as 1

  for (int model : {5, 6}) {
    BoardRig rig(model);
    rig.port.scriptedReads = {0x78, 0x78};
    rig.board.GetNibbles();
    EXPECT_EQ(rig.board.DataByte, 0xFF) << model;
    rig.port.scriptedReads = {0x87, 0x87};  // status bits 7 and 0..2 do not count
    rig.board.GetNibbles();
    EXPECT_EQ(rig.board.DataByte, 0x00) << model;
  }

  // Four accesses each, alternating the nibble select and the status read.
  BoardRig at278(4, 0x278);
  at278.board.GetNibbles();
  EXPECT_EQ(at278.port.lines,
            (std::vector<std::string>{"out 027A 00", "in 0279 7F", "out 027A 04", "in 0279 7F"}));
  BoardRig at3BC(5, 0x3BC);
  at3BC.board.GetNibbles();
  EXPECT_EQ(at3BC.port.lines,
            (std::vector<std::string>{"out 03BE 05", "in 03BD 7F", "out 03BE 01", "in 03BD 7F"}));
}

TEST(ReadBack, WithNoModelReadsNothing) {
  BoardRig rig(0);
  rig.board.DataByte = 0x5A;
  rig.board.GetNibbles();
  rig.board.GetNibbles24CXX();
  EXPECT_TRUE(rig.port.lines.empty());
  EXPECT_EQ(rig.board.DataByte, 0x5A);
}

// A Board driving a simulated board of the same model.
struct ReadBackRig {
  explicit ReadBackRig(int model) : simBoard(model, 0x378, clock), rig(&simBoard, model) {
    rig.board.Reg3 = 0x84;  // REG4 line asserted: register 4 drives the empty socket's bus
    rig.board.SetReg3();
  }
  std::uint8_t busAfterWriting(std::uint8_t value) {
    rig.board.Reg4 = value;
    rig.board.SetReg4();
    return value;
  }

  sim::VirtualClock clock;
  sim::SimBoard simBoard;
  BoardRig rig;
};

TEST(ReadBack, GivesBackWhatRegisterFourPutsOnTheBusForEveryModel) {
  for (int model : {4, 5, 6}) {
    ReadBackRig f(model);
    for (int value = 0; value < 256; ++value) {
      f.busAfterWriting(static_cast<std::uint8_t>(value));
      f.rig.board.GetNibbles();
      ASSERT_EQ(f.rig.board.DataByte, value) << "model " << model;
    }
  }
}

TEST(ReadBack, TheSerialLineReadShowsTheHighNibble) {
  for (int model : {4, 5, 6}) {
    ReadBackRig f(model);
    for (const std::uint8_t value : {0x00, 0x80, 0x7F, 0xA5}) {
      f.busAfterWriting(value);
      f.rig.board.GetNibbles24CXX();
      // Model 4's decode of a lone high nibble also sets D1 (its inverted Busy line).
      const std::uint8_t expected = (value & 0xF0) | (model == 4 ? 0x02 : 0x00);
      EXPECT_EQ(f.rig.board.DataByte, expected) << "model " << model << " value " << int(value);
    }
  }
}

}  // namespace
}  // namespace burnlab::testing
