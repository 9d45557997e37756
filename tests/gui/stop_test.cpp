// A long command in the window, tried on a simulated 27C256: its log lines and the clock show while
// it runs, the commands are drawn disabled, and Esc or the Stop button ends it at its next step
// while the rest of the window takes no input.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "gui/simulated_window.h"
#include "ops/operation_stop.h"

namespace burnlab::testing {
namespace {

// The window with a 27C256 that holds data in the socket, chosen in the Device list and read into
// the code buffer, so that a verify compares all of it, a step a page.
struct Verify27C256 : SimulatedWindow {
  Verify27C256() : SimulatedWindow({.socket = "27C256", .fillChip = true, .slider = {}}) {
    app.click("Read_button");
    logged = app.panel.SystemLog.text.size();
  }
  std::string log() const { return app.panel.SystemLog.text.substr(logged); }
  QPushButton* button(const char* name) { return view<QPushButton>(name); }
  // A key the operator presses, waiting to be taken while the command runs.
  void postKey(Qt::Key key) {
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  }

  std::size_t logged = 0;
};

// What the window showed when the progress bar was drawn in the middle of a command.
struct SeenMidCommand final : QObject {
  SeenMidCommand(SimulatedWindow& f) : f_(f) {
    f.view<QWidget>("ProgressBar1")->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && f_.app.panel.ProgressBar1.value > 0 && !seen) {
      seen = true;
      log = f_.view<QPlainTextEdit>("SystemLog")->toPlainText().toStdString();
      time = f_.view<QLabel>("sbStatusBar(3)")->text().toStdString();
      readEnabled = f_.view<QWidget>("Read_button")->isEnabled();
      openEnabled = f_.view<QAction>("mnuFileOpenCode")->isEnabled();
      deviceEnabled = f_.view<QWidget>("Device")->isEnabled();
      stopEnabled = f_.view<QWidget>("Stop_button")->isEnabled();
    }
    return false;
  }
  SimulatedWindow& f_;
  bool seen = false;
  std::string log, time;
  bool readEnabled = true, openEnabled = true, deviceEnabled = true, stopEnabled = false;
};

TEST(WindowLongCommand, ShowsItsLogLinesAndTheClockWhileItRunsAndTheCommandsDrawnDisabled) {
  Verify27C256 f;
  // A read fills the code buffer: the label counts its bytes, as after opening a file.
  EXPECT_EQ(f.view<QLabel>("FileNameCodeSize")->text(), "(32768 Bytes)");
  f.platform.time = "09:59:58";
  SeenMidCommand seen(f);
  QTest::mouseClick(f.button("Verify_button"), Qt::LeftButton);
  ASSERT_TRUE(seen.seen);
  // The verify's first line was in the log view before the verify ended; its last was not yet.
  EXPECT_NE(seen.log.find("Verify Function Started"), std::string::npos) << seen.log;
  EXPECT_EQ(seen.log.find("MATCHES"), std::string::npos);
  EXPECT_NE(f.log().find("Device Contents MATCHES with Buffer Contents"), std::string::npos);
  EXPECT_EQ(seen.time, "09:59:58");
  EXPECT_FALSE(seen.readEnabled);
  EXPECT_FALSE(seen.openEnabled);
  EXPECT_FALSE(seen.deviceEnabled);
  EXPECT_TRUE(seen.stopEnabled);
  // After it, the window draws the commands as the Panel has them.
  EXPECT_TRUE(f.button("Read_button")->isEnabled());
  EXPECT_TRUE(f.button("Verify_button")->isEnabled());
  EXPECT_TRUE(f.view<QWidget>("Device")->isEnabled());
  EXPECT_FALSE(f.button("Stop_button")->isEnabled());
  EXPECT_TRUE(f.view<QAction>("mnuFileOpenCode")->isEnabled());
}

TEST(WindowStop, EscEndsAVerifyOfA27C256AndTheRestOfTheWindowTakesNoInput) {
  Verify27C256 f;
  ASSERT_NE(f.app.panel.SystemLog.text.find("32768 bytes Read"), std::string::npos);
  auto* stop = f.button("Stop_button");
  EXPECT_FALSE(stop->isEnabled());  // nothing to stop

  // While the verify runs the operator clicks Read and presses F5 and Esc.
  postClick(f.button("Read_button"));
  f.postKey(Qt::Key_F5);
  f.postKey(Qt::Key_Escape);
  QTest::mouseClick(f.button("Verify_button"), Qt::LeftButton);

  const auto log = f.log();
  EXPECT_NE(log.find("Verify Function Started"), std::string::npos) << log;
  EXPECT_TRUE(log.ends_with(OperationStop::kStoppedLine)) << log;
  EXPECT_EQ(log.find("MATCHES"), std::string::npos);
  EXPECT_EQ(log.find("bytes Read"), std::string::npos);  // the Read click and F5 were held back
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_EQ(f.view<QLabel>("DataFlow_label")->palette().color(QPalette::WindowText),
            screenColor(kGreyText));
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);

  // Nothing of it is left waiting: events since then run as usual, and the verify runs whole.
  QApplication::processEvents();
  EXPECT_EQ(f.log().find("bytes Read"), std::string::npos);
  QTest::mouseClick(f.button("Verify_button"), Qt::LeftButton);
  EXPECT_NE(f.log().find("Device Contents MATCHES with Buffer Contents"), std::string::npos);
}

TEST(WindowStop, TheStopButtonEndsAReadAndEscOutsideACommandDoesNothing) {
  Verify27C256 f;
  QTest::keyClick(&f.window, Qt::Key_Escape);
  EXPECT_EQ(f.log(), "");
  // A click on the Stop button, waiting to be taken: the read offers Stop from its first step
  // on, and the click reaches the button there.
  postClick(f.button("Stop_button"));
  QTest::mouseClick(f.button("Read_button"), Qt::LeftButton);
  EXPECT_TRUE(f.log().ends_with(OperationStop::kStoppedLine)) << f.log();
  EXPECT_EQ(f.log().find("bytes Read"), std::string::npos);
}

}  // namespace
}  // namespace burnlab::testing
