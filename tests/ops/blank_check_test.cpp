// Blank Chk on chips in the simulated socket: the first byte that is not erased, its report, and
// an erased chip.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

TEST(BlankCheck, StopsAtTheFirstByteThatIsNotErasedAndReportsItsAddress) {
  SimulatedApp f(chipIn("27C010", false));  // erased
  f.chip->setCell(0x1234F, 0x0F);
  f.chip->setCell(0x1F000, 0x00);
  EXPECT_EQ(f.logOf([&] { f.app.Blank_button_Click(); }),
            "\r\n12:34:56>  Checking Device for BLANK (Erased)... Wait"
            "\r\n12:34:56>  Device IS NOT BLANK (ERASED)"
            "\r\n12:34:56>  Address: 1234F ][ Device Data: F"
            "\r\n12:34:56>  Click on [ERROR] alert to Reset the Situation");
  EXPECT_TRUE(f.errorLit());
  EXPECT_FALSE(f.app.panel.Read_button.enabled);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0x123 + 1);  // stopped within page 123h
}

TEST(BlankCheck, AFirstByteOfZeroOnA2764IsReportedAtAddressZeroAtOnce) {
  SimulatedApp f(chipIn("2764", false));
  f.chip->setCell(0, 0x00);
  f.app.Blank_button_Click();
  EXPECT_TRUE(f.logged("Address: 0 ][ Device Data: 0\r\n"));
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 1);
  EXPECT_EQ(f.app.board.Reg2, 0);  // the board still addresses the failing byte
  EXPECT_EQ(f.board.registers()[2], 0);
}

TEST(BlankCheck, AnErasedChipIsReportedBlank) {
  SimulatedApp f(chipIn("27C512", false));
  f.app.Blank_button_Click();
  EXPECT_TRUE(f.logged("Device IS BLANK (ERASED)"));
  EXPECT_FALSE(f.errorLit());
  EXPECT_EQ(f.platform.sounds.back().filename(), "ok.wav");
}

}  // namespace
}  // namespace burnlab::testing
