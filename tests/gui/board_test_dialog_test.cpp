// Setup > Test the Board... on the offscreen platform: the dialog's checks, its drawing of the
// lines, the System Log, and its own Stop button while the test runs.
#include "gui/board_test_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdlib>

#include "gui/board_lines_drawing.h"
#include "gui/simulated_window.h"
#include "ops/operation_stop.h"

namespace burnlab::testing {
namespace {

struct BoardTestWindow : SimulatedWindow {
  BoardTestWindow() {
    addBoardTestEntry(window, app);
    dialog = std::make_unique<BoardTestDialog>(window, app);
    dialog->show();
  }
  QTreeWidget* checks() { return dialog->findChild<QTreeWidget*>("BoardTestChecks"); }
  QString summary() { return dialog->findChild<QLabel*>("BoardTestSummary")->text(); }
  const BoardLineStates& drawn() {
    return dialog->findChild<BoardLinesDrawing*>("BoardLinesDrawing")->lines();
  }
  std::unique_ptr<BoardTestDialog> dialog;
};

TEST(BoardTestDialog, ShowsAShortedPairJoinedInRedAndLogsEveryCheck) {
  BoardTestWindow f;
  EXPECT_NE(f.window.findChild<QAction*>("mnuTestTheBoard"), nullptr);
  sim::BoardFaults faults;
  faults.shorts.emplace_back(2, 3);
  f.board.setFaults(faults);

  f.dialog->start();

  auto* checks = f.checks();
  ASSERT_EQ(checks->topLevelItemCount(), 4);
  EXPECT_EQ(checks->topLevelItem(1)->text(0), "Program pulse");
  EXPECT_EQ(checks->topLevelItem(1)->text(1), "OK");
  EXPECT_EQ(checks->topLevelItem(2)->text(0), "Data path");
  EXPECT_EQ(checks->topLevelItem(2)->text(1), "FAULT");
  EXPECT_EQ(checks->topLevelItem(2)->text(2), "data lines D2 and D3 are shorted together");
  EXPECT_EQ(f.summary(), "Board test: 1 of 4 checks found a fault");
  const auto& lines = f.drawn();
  EXPECT_TRUE(lines.tested);
  EXPECT_EQ(lines.dataOk, (std::array<bool, 8>{true, true, false, false, true, true, true, true}));
  EXPECT_EQ(lines.shorted, (std::pair{2, 3}));
  EXPECT_EQ(lines.statusOk, (std::array<bool, 4>{true, true, true, true}));
  const auto& log = f.app.panel.SystemLog.text;
  EXPECT_NE(log.find("Board Test: Data path: FAULT: data lines D2 and D3"), std::string::npos);
  EXPECT_NE(log.find("Board Test: Identification line: OK"), std::string::npos);
  // The picture in docs/ is made from this dialog.
  if (const char* picture = std::getenv("BURNLAB_BOARD_TEST_PICTURE")) {
    f.dialog->resize(720, f.dialog->sizeHint().height());
    EXPECT_TRUE(f.dialog->grab().save(picture));
  }
}

TEST(BoardTestDialog, ItsStopButtonEndsTheTestWithTheBoardReset) {
  BoardTestWindow f;
  auto* stop = f.dialog->findChild<QPushButton*>("BoardTestStop");
  EXPECT_FALSE(stop->isEnabled());
  // The click waits in the queue until the running test lets the Stop through.
  postClick(stop);
  f.dialog->start();

  EXPECT_EQ(f.checks()->topLevelItemCount(), 1);  // the port's line, then the stop
  EXPECT_EQ(f.summary(), "Stopped: the board is reset.");
  EXPECT_TRUE(f.boardIdle());
  EXPECT_NE(f.app.panel.SystemLog.text.find(OperationStop::kStoppedLine), std::string::npos);
  EXPECT_TRUE(f.dialog->findChild<QPushButton*>("BoardTestStart")->isEnabled());
}

}  // namespace
}  // namespace burnlab::testing
