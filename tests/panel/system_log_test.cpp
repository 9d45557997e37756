// Log lines, keeping the newest line in view, and the saved BURNLAB.LOG.
#include <gtest/gtest.h>

#include <fstream>

#include "support/simulated_app.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

TEST(LogLine, StartsEveryLineWithCrLfThenTimeAndMessage) {
  SimulatedApp f;
  f.app.log.LogLine("Programming Button Pressed");
  f.platform.time = "09:05:07";
  f.app.log.LogLine("second");
  const std::string expected = "\r\n12:34:56>  Programming Button Pressed\r\n09:05:07>  second";
  EXPECT_EQ(f.app.panel.SystemLog.text, expected);
  EXPECT_EQ(f.app.panel.SystemLog.selStart, static_cast<int>(expected.size()));
}

// An empty log too: StatCode 0 and an empty fifth line.
TEST(SaveLog, WritesHeaderStatCodeModelDashesAndTheText) {
  for (const bool empty : {false, true}) {
    SimulatedApp f;
    f.platform.working = f.files.path();
    if (!empty) {
      f.app.board.Model = 6;
      f.app.log.LogLine("A");
    }
    const std::string log = f.app.panel.SystemLog.text;
    f.app.log.SystemLog_DblClick();

    // CR LF (13 + 10) + "12:34:56>  A": the sum of every character code.
    const char* statLine = empty ? "08/12/2026 12:34:56 StatCode: 0  Model: 0 "
                                 : "08/12/2026 12:34:56 StatCode: 639  Model: 6 ";
    const std::string expected =
        "BURNLAB SYSTEM LOG FILE - ORVANE www.orvane.com\r\n"
        "The following contents are the log from the Burnlab Program\r\n" +
        std::string(statLine) + "\r\n" + std::string(60, '-') + "\r\n" + log + "\r\n";
    EXPECT_EQ(readAll(f.files.path() / "BURNLAB.LOG"), expected);
    // The confirmation comes after the save and is not in the file.
    EXPECT_EQ(f.app.panel.SystemLog.text,
              log + "\r\n12:34:56>  System Log was Saved to BURNLAB.LOG file");
  }
}

TEST(SaveLog, StatCodeChangesWithAnyChangeOfTheText) {
  EXPECT_EQ(statCode(""), 0);
  EXPECT_NE(statCode("\r\nab"), statCode("\nab"));
  EXPECT_NE(statCode("ab"), statCode("ac"));
  EXPECT_EQ(statCode("\xFF"), 255);  // codes are taken unsigned
  EXPECT_EQ(blankedNumber(1234), " 1234 ");
}

TEST(SaveLog, AFailedSaveIsLoggedAndShownAndKeepsTheOldFile) {
  SimulatedApp f;
  f.platform.working = f.files.path() / "no such folder";
  f.app.log.SystemLog_DblClick();
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_NE(f.dialogs.shown[0].text.find("could not be saved"), std::string::npos);
  EXPECT_NE(f.app.panel.SystemLog.text.find("could not be saved"), std::string::npos);
  EXPECT_EQ(f.app.panel.SystemLog.text.find("was Saved"), std::string::npos);
}

}  // namespace
}  // namespace burnlab::testing
