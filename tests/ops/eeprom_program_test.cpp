// Program on the X28C256 and the serial EEPROMs as the operator runs it: the failures their
// routines report (the good runs are in device_programming_test's suite of every routine).
#include <gtest/gtest.h>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// Program with verify after, as the operator runs it, on a run that must fail: no success and
// no match logged, and the error lamp lit.
void programAndExpectFailure(SimulatedApp& f) {
  f.app.panel.VerifyAfterProgramming.checked = true;
  f.app.Program_button_Click();
  EXPECT_FALSE(f.logged("Programming Device Successfull"));
  EXPECT_FALSE(f.logged("MATCHES"));
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kWhite);
}

TEST(ProgramEeprom, AnX28C256PageThatNeverReadsBackFailsTheRunWithoutVerify) {
  SimulatedApp f(eepromToProgram("X28C256,stuck0@100=80"));
  f.image[0x100] = 0x80;
  f.openImage();
  programAndExpectFailure(f);
  EXPECT_TRUE(f.logged("*** Address:100h, Programming BYTE:80h, Read BYTE:0h"));
  EXPECT_TRUE(f.boardIdle());
}

TEST(ProgramEeprom, AnEmptySerialSocketIsReportedAsNoAcknowledge) {
  SimulatedApp f(eepromToProgram("24C08"));
  f.board.insert(nullptr);
  programAndExpectFailure(f);
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 1);
}

TEST(ProgramEeprom, AWriteProtected24C16FailsTheRunAtItsFirstByteWhenReadBack) {
  // With WP held high the chip takes every byte and starts no write cycle: the read-back after
  // the last page finds it unwritten.
  SimulatedApp f(eepromToProgram("24C16,wp"));
  f.image[0] = 0x00;
  f.openImage();
  programAndExpectFailure(f);
  EXPECT_EQ(f.app.twoWire.AckError, 0);  // every byte was acknowledged
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 1);
  EXPECT_TRUE(f.logged("*** Programming Failure ***"));
  EXPECT_TRUE(f.logged("*** Address:0h, Programming BYTE:0h, Read BYTE:FFh"));
  EXPECT_FALSE(f.logged("Verify Function Started"));
  EXPECT_EQ(f.chip->cell(0), 0xFF);
}

}  // namespace
}  // namespace burnlab::testing
