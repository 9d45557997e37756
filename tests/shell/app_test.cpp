// Start-up and shutdown as far as the board, lamps, log and sounds go.
#include <gtest/gtest.h>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

std::vector<std::string> resetSequenceModel6At378() {
  return {"out 0378 40", "out 037A 05", "out 037A 04", "out 037A 05", "out 0378 00", "out 037A 0D",
          "out 037A 0C", "out 037A 0D", "out 0378 00", "out 037A 07", "out 037A 06", "out 037A 07",
          "out 0378 C4", "out 037A 0F", "out 037A 0E", "out 037A 0F"};
}

TEST(StartUp, ResetsTheBoardDarkensTheLampsEmptiesTheLogAndPlaysInit) {
  SimulatedApp f;
  f.app.panel.Error_label.foreColor = kWhite;
  f.app.panel.SystemLog.text = "old";
  f.app.Form_Load();
  // The board search comes first; start-up ends with the reset.
  const auto& lines = f.port.lines;
  ASSERT_GE(lines.size(), 16u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 16, lines.end()), resetSequenceModel6At378());
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.DataFlow_label.foreColor, kGreyText);
  EXPECT_TRUE(f.app.panel.SystemLog.text.empty());
  EXPECT_EQ(f.platform.sounds.back(), std::filesystem::path("/opt/burnlab/init.wav"));
  EXPECT_EQ(f.board.registers()[3], 0xC4);
}

// A port whose first access finds a problem, as a port that cannot be claimed does.
struct ComplainingPort final : PortIo {
  void PortOut(std::uint16_t, std::uint8_t) override { complain(); }
  std::uint8_t PortIn(std::uint16_t) override { return complain(), 0x7F; }
  void complain() {
    if (app && !complained) app->reportPortProblem("port busy");
    complained = true;
  }
  App* app = nullptr;
  bool complained = false;
};

TEST(StartUp, APortProblemFoundWhileLoadingIsShownAfterTheLogWasEmptied) {
  ComplainingPort port;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app({port, platform, dialogs, view});
  port.app = &app;
  app.Form_Load();
  EXPECT_EQ(app.panel.SystemLog.text, "\r\n12:34:56>  port busy");
  EXPECT_EQ(app.panel.sbStatusBar[0].text, "port busy");
  app.reportPortProblem("later");
  EXPECT_EQ(app.panel.sbStatusBar[0].text, "later");
}

TEST(Shutdown, ResetsTheBoard) {
  SimulatedApp f;
  f.app.Form_Load();
  f.port.clear();
  f.app.Form_Unload();
  EXPECT_EQ(f.port.lines, resetSequenceModel6At378());
}

}  // namespace
}  // namespace burnlab::testing
