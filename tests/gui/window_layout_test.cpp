// How the window sits on a desktop: a whole hex page and every option in view on a small
// screen, the mouse wheel over the page, the keys of the menus, the newest log line in view,
// the file dialogs' filter, file names that are not ASCII, and where the window opens.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>
#include <fstream>

#include "gui/core_text.h"
#include "gui/qt_dialogs.h"
#include "gui/window_fixture.h"
#include "gui/window_placement.h"
#include "sim/chip_catalogue.h"

namespace burnlab::testing {
namespace {

// The window on a simulated 27C256 holding a counting pattern, chosen in the Device list.
struct ChipWindow : WindowFixture {
  ChipWindow() {
    std::string problem;
    auto chip = sim::ChipCatalogue::make("27C256", {}, problem);
    for (int address = 0; address < 32768; ++address) {
      chip->setCell(address, static_cast<std::uint8_t>(address * 7));
    }
    board.insert(chip);
    app.setDeviceListIndex(10);  // Eprom 27C256
    window.changed();
  }
  QPlainTextEdit* page() { return widget<QPlainTextEdit>("BufferDisplay"); }
  QScrollBar* pages() { return widget<QScrollBar>("VScroll1"); }
  QPlainTextEdit* log() { return widget<QPlainTextEdit>("SystemLog"); }
};

// Whether the end of the last line of `view` lies inside its viewport: the text is shown whole,
// neither cut at the right nor below.
bool lastLineInView(QPlainTextEdit* view) {
  QTextCursor end(view->document());
  end.movePosition(QTextCursor::End);
  const QRect caret = view->cursorRect(end);
  const QRect shown = view->viewport()->rect();
  return caret.right() <= shown.right() && caret.bottom() <= shown.bottom() && caret.top() >= 0;
}

// Whether every pixel of `widget` is on the screen and not hidden by a parent.
bool wholeInView(QWidget* widget) {
  return widget->isVisible() && widget->visibleRegion().boundingRect() == widget->rect();
}

TEST(WindowLayout, AfterAReadAWholePageShowsAtTheDefaultSizeOnASmallScreenAndOnALargeOne) {
  ChipWindow f;
  f.app.click("Read_button");
  QApplication::processEvents();
  ASSERT_EQ(f.page()->document()->blockCount(), 17);  // the empty line, then 16 lines
  EXPECT_EQ(f.page()->document()->lastBlock().text().size(), 62);
  for (const QSize size :
       {f.window.size(), QSize(1010, 514), QSize(1280, 770), QSize(1920, 1050)}) {
    f.window.resize(size);
    QApplication::processEvents();
    EXPECT_TRUE(lastLineInView(f.page())) << size.width() << "x" << size.height();
    EXPECT_EQ(f.page()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(f.page()->verticalScrollBar()->maximum(), 0);
  }
  // A larger window gives the page a larger font, and the log more room too.
  f.window.resize(1010, 514);
  QApplication::processEvents();
  const auto smallFont = f.page()->font().pointSizeF();
  const auto smallLog = f.log()->width();
  f.window.resize(1920, 1050);
  QApplication::processEvents();
  EXPECT_GT(f.page()->font().pointSizeF(), smallFont);
  EXPECT_GT(f.log()->width(), smallLog);
}

TEST(WindowLayout, TheWindowAndEveryOptionFitA1024By600Screen) {
  ChipWindow f;
  const QSize minimum = f.window.minimumSizeHint();
  EXPECT_LE(minimum.width(), 1016);  // 1024 less the frame's borders
  EXPECT_LE(minimum.height(), 540);  // 600 less a title bar and a panel
  f.window.resize(minimum);
  QApplication::processEvents();
  for (const char* option :
       {"CheckBlankPriorProgramming", "VerifyAfterProgramming", "Voltage_button(3)",
        "HiLow_button(2)", "Slider1", "CheckData", "TestHardware_button"}) {
    EXPECT_TRUE(wholeInView(f.widget<QWidget>(option))) << option;
  }
}

TEST(WindowLayout, TheMouseWheelOverThePageTurnsItAPageANotch) {
  ChipWindow f;
  f.app.click("Read_button");
  const auto turn = [&](int delta) {
    const QPointF at = f.page()->viewport()->rect().center();
    QWheelEvent wheel(at, f.page()->viewport()->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.page()->viewport(), &wheel);
  };
  turn(-120);  // towards the operator: the next page
  EXPECT_EQ(f.app.panel.VScroll1.value, 1);
  EXPECT_TRUE(f.page()->toPlainText().startsWith("\n000100| "))
      << f.page()->toPlainText().toStdString();
  turn(-60);  // half a notch does nothing yet
  EXPECT_EQ(f.app.panel.VScroll1.value, 1);
  turn(-60);
  EXPECT_EQ(f.app.panel.VScroll1.value, 2);
  turn(360);
  EXPECT_EQ(f.app.panel.VScroll1.value, 0);  // and no further than the first page
  EXPECT_EQ(f.pages()->value(), 0);
}

TEST(WindowLayout, TheMenusCarryTheDesktopsKeysAndKeysForTheDeviceCommands) {
  ChipWindow f;
  const auto keys = [&](const char* entry) {
    return qobject_cast<QAction*>(f.window.viewOf(entry))->shortcut();
  };
  EXPECT_EQ(keys("mnuFileOpenCode"), QKeySequence(QKeySequence::Open));
  EXPECT_EQ(keys("mnuFileSaveCode"), QKeySequence(QKeySequence::Save));
  EXPECT_EQ(keys("mnuFileSaveCodeAs"), QKeySequence(QKeySequence::SaveAs));
  EXPECT_EQ(keys("mnuFileExit"), QKeySequence(QKeySequence::Quit));
  EXPECT_EQ(keys("mnuHelpContents"), QKeySequence(QKeySequence::HelpContents));
  EXPECT_EQ(keys("menuReadCode"), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(keys("menuBlankCheck"), QKeySequence(Qt::Key_F6));
  EXPECT_EQ(keys("menuVerifyCode"), QKeySequence(Qt::Key_F7));
  EXPECT_EQ(keys("menuProgramCode"), QKeySequence(Qt::Key_F8));

  // The keys run the entries: F5 reads the chip, F6 blank-checks it, Ctrl+O asks for a file.
  QApplication::setActiveWindow(&f.window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
  QTest::keyClick(&f.window, Qt::Key_F5);
  EXPECT_NE(f.app.panel.SystemLog.text.find("32768 bytes Read from Device"), std::string::npos);
  QTest::keyClick(&f.window, Qt::Key_F6);
  EXPECT_NE(f.app.panel.SystemLog.text.find("Device IS NOT BLANK"), std::string::npos);
  f.dialogs.files.push_back(std::nullopt);
  QTest::keySequence(&f.window, QKeySequence::Open);
  ASSERT_FALSE(f.dialogs.shown.empty());
  EXPECT_EQ(f.dialogs.shown.back().kind, "open");
}

TEST(WindowLayout, TheNewestLogLineIsWhollyInViewWhenLinesWrap) {
  ChipWindow f;
  f.window.resize(f.window.minimumSizeHint());
  QApplication::processEvents();
  // Lines come one at a time and several at once, and the window shows them without first
  // returning to the event loop, as during a long command.
  for (int line = 0; line < 60; ++line) {
    for (int more = 0; more <= line % 3; ++more) {
      f.app.log.LogLine("line " + std::to_string(line) +
                        " is long enough to wrap in the narrow log of a small screen, twice over");
    }
    f.window.changed();
    EXPECT_TRUE(lastLineInView(f.log())) << line;
  }
  EXPECT_TRUE(f.log()->toPlainText().endsWith("twice over"));
  // The window is made narrower and wider again: the lines wrap anew, and the newest stays in
  // view.
  for (const int width : {1900, 1013, 1400, 1013}) {
    f.window.resize(width, f.window.height());
    QApplication::processEvents();
    EXPECT_TRUE(lastLineInView(f.log())) << width;
  }
}

TEST(QtDialogs, AFilterOfEveryFileMatchesNamesWithoutADotAndShowsItsPatternOnce) {
  EXPECT_EQ(qtFileFilter("All Files (*.*)|*.*"), "All Files (*)");
  EXPECT_EQ(qtFileFilter("Binary|*.bin|Intel HEX (*.hex)|*.hex;*.ihx|All Files (*.*)|*.*"),
            "Binary (*.bin);;Intel HEX (*.hex *.ihx);;All Files (*)");
}

TEST(CoreText, FileNamesShowAsTheyAreWrittenAndStrayBytesStillShow) {
  EXPECT_EQ(fromCore("/home/jos\xC3\xA9/\xC3\x9C"
                     "bung.bin"),
            QString::fromUtf8("/home/josé/Übung.bin"));
  EXPECT_EQ(toCore(QString::fromUtf8("Übung")),
            "\xC3\x9C"
            "bung");
  // Not UTF-8: a name in an older code page shows byte by byte.
  EXPECT_EQ(fromCore("caf\xE9.bin"), QString::fromLatin1("caf\xE9.bin"));
}

TEST(WindowLayout, AFileNameThatIsNotAsciiShowsAsItIsInTheLabelAndTheLog) {
  WindowFixture f;
  TempFolder files;
  const auto image = files.path() /
                     "\xC3\x9C"
                     "bung_\xE2\x82\xAC.bin";  // Übung_€.bin
  std::ofstream(image, std::ios::binary) << std::string(256, 'A');
  f.dialogs.files.push_back(image);
  qobject_cast<QAction*>(f.window.viewOf("mnuFileOpenCode"))->trigger();
  const auto shownName = QString::fromUtf8("ÜBUNG_€.BIN");  // the label shows it in capitals
  EXPECT_TRUE(f.widget<QLabel>("FileNameCodeText")->text().endsWith(shownName))
      << f.widget<QLabel>("FileNameCodeText")->text().toStdString();
  EXPECT_TRUE(
      f.widget<QPlainTextEdit>("SystemLog")
          ->toPlainText()
          .contains(QString::fromUtf8("File %1/Übung_€.bin - was read").arg(files.path().c_str())));
}

TEST(WindowPlacement, OpensAtLeastAtTheMinimumSizeAndFittedToTheScreensAvailableArea) {
  const QList<QRect> screens{QRect(0, 0, 1280, 770), QRect(1280, 0, 1024, 768)};
  const QRect primary = screens.front();
  const QMargins frame(1, 30, 1, 1);
  const QSize minimum(1000, 520);
  // The defaults (100 twips is 7 pixels): the title bar comes down onto the screen.
  EXPECT_EQ(openingRect({100, 100, 100, 6500, false}, 96, minimum, frame, screens, primary),
            QRect(7, 30, 1000, 520));
  // On the second screen it stays there, moved in where it would stick out.
  EXPECT_EQ(openingRect({21000, 1500, 12000, 9000, false}, 96, minimum, frame, screens, primary),
            QRect(1303, 100, 1000, 600));
  // Off every screen (a screen since unplugged): the primary screen's top left.
  EXPECT_EQ(openingRect({60000, -30000, 12000, 9000, false}, 96, minimum, frame, screens, primary),
            QRect(1, 30, 1000, 600));
  // Stored on a 1920x1080 screen, opened on a 1024x600 one: no larger than the screen.
  const QList<QRect> small{QRect(0, 0, 1024, 600)};
  EXPECT_EQ(openingRect({0, 0, 28800, 16200, false}, 96, minimum, frame, small, small.front()),
            QRect(1, 30, 1022, 569));
  // A screen smaller than the layout: the window keeps its minimum, from the top left.
  const QList<QRect> tiny{QRect(0, 0, 800, 480)};
  EXPECT_EQ(openingRect({1500, 1500, 12000, 9000, false}, 96, minimum, frame, tiny, tiny.front()),
            QRect(1, 30, 1000, 520));
}

}  // namespace
}  // namespace burnlab::testing
