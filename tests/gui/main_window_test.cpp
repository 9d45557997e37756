// The real window on the offscreen platform: it draws the Panel and hands clicks to the core.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "gui/main_window.h"
#include "support/app_fixture.h"

namespace burnlab::testing {
namespace {

struct WindowFixture {
  WindowFixture() : app({port, platform, dialogs, window}) {
    app.assumeBoard({0x378, 6});
    window.attach(app);
    app.Form_Load();
    window.show();
  }
  QLabel* lamp(const char* name) { return window.findChild<QLabel*>(name); }

  sim::VirtualClock clock;
  sim::SimBoard board{6, 0x378, clock};
  RecordingPort port{board};
  FakePlatform platform;
  FakeDialogs dialogs;
  MainWindow window;
  App app;
};

TEST(MainWindow, ShowsTheLampsDarkAfterStartUpAndLitWhenTheCoreSaysSo) {
  WindowFixture f;
  auto* error = f.lamp("Error_label");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->text(), "ERROR");
  EXPECT_EQ(error->palette().color(QPalette::WindowText), screenColor(kGreyText));
  f.app.lamps.ErrorLampOn();  // repaints at once, without returning to the event loop
  EXPECT_EQ(error->palette().color(QPalette::WindowText), QColor(Qt::white));
}

TEST(MainWindow, AClickOnTheLitErrorLampEndsTheAlert) {
  WindowFixture f;
  f.app.panel.Read_button.enabled = true;
  f.app.lamps.RaiseErrorAlert();
  f.window.changed();
  auto* read = f.window.findChild<QPushButton*>("Read_button");
  ASSERT_NE(read, nullptr);
  EXPECT_FALSE(read->isEnabled());
  QTest::mouseClick(f.lamp("Error_label"), Qt::LeftButton);
  EXPECT_TRUE(read->isEnabled());
  auto* log = f.window.findChild<QPlainTextEdit*>("SystemLog");
  EXPECT_TRUE(log->toPlainText().endsWith("Error Alert was Turned Off"));
}

TEST(MainWindow, TheLogViewAppendsAndStartsAfreshWhenTheLogIsEmptied) {
  WindowFixture f;
  auto* log = f.window.findChild<QPlainTextEdit*>("SystemLog");
  f.app.log.LogLine("one");
  f.window.changed();
  f.app.log.LogLine("two");
  f.window.changed();
  EXPECT_EQ(log->toPlainText(), "\n12:34:56>  one\n12:34:56>  two");
  f.app.log.clear();
  f.app.log.LogLine("three");
  f.window.changed();
  EXPECT_EQ(log->toPlainText(), "\n12:34:56>  three");
}

}  // namespace
}  // namespace burnlab::testing

int main(int argc, char** argv) {
  // The window tests run without a display, also while CTest lists them.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
