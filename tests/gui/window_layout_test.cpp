// How the window sits on a desktop: a whole hex page and every option in view on a small
// screen, the mouse wheel over the page, the keys of the menus, the newest log line in view,
// the file dialogs' filter, file names that are not ASCII, and where the window opens.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>
#include <fstream>

#include "gui/core_text.h"
#include "gui/qt_dialogs.h"
#include "gui/simulated_window.h"
#include "gui/window_placement.h"

namespace burnlab::testing {
namespace {

// The window on a simulated 27C256 that holds data, chosen in the Device list, the slider as
// start-up leaves it.
struct ChipWindow : SimulatedWindow {
  ChipWindow() : SimulatedWindow({.socket = "27C256", .fillChip = true, .slider = {}}) {
    window.changed();  // the choice made on the core, as a click on the list would
  }
  QPlainTextEdit* page() { return view<QPlainTextEdit>("BufferDisplay"); }
  QScrollBar* pages() { return view<QScrollBar>("VScroll1"); }
  QPlainTextEdit* log() { return view<QPlainTextEdit>("SystemLog"); }
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

// The controls at the window's minimum size whose text does not fit them: a button, option or
// check box, frame title or label narrower or lower than its size hint. The file names and the
// status texts are left out: they are as long as a path is, and end where their space does.
std::vector<std::string> cutTexts(QMainWindow& window) {
  std::vector<std::string> cut;
  const auto check = [&](QWidget* widget, QSize needed) {
    if (!widget->isVisible()) return;
    if (widget->width() < needed.width() || widget->height() < needed.height()) {
      cut.push_back(widget->objectName().toStdString() + " " + std::to_string(widget->width()) +
                    "x" + std::to_string(widget->height()) + " < " +
                    std::to_string(needed.width()) + "x" + std::to_string(needed.height()));
    }
  };
  for (auto* button : window.findChildren<QAbstractButton*>()) check(button, button->sizeHint());
  for (auto* frame : window.findChildren<QGroupBox*>()) check(frame, frame->minimumSizeHint());
  for (auto* label : window.findChildren<QLabel*>()) {
    const bool elided = label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored ||
                        label->objectName().startsWith("sbStatusBar") || label->wordWrap();
    if (!elided) check(label, label->sizeHint());
  }
  return cut;
}

// The window's own font for the while: the window built meanwhile takes it.
class ApplicationFont {
 public:
  explicit ApplicationFont(const QFont& font) : previous_(QApplication::font()) {
    QApplication::setFont(font);
  }
  ~ApplicationFont() { QApplication::setFont(previous_); }

 private:
  QFont previous_;
};

// The line spacing, in pixels, of the font the window was laid out in when it was made to fit a
// 1024x600 screen (9 points at 96 dpi). With a larger font the window's bound grows with it.
constexpr double kReferenceLineSpacing = 14;

// At its minimum size the window shows every control's text whole, in the font the machine
// gives it and in a larger one; at the reference font that size fits a 1024x600 screen.
TEST(WindowLayout, AtItsMinimumSizeNoTextIsCutAndItFitsA1024By600Screen) {
  for (const int larger : {0, 2}) {
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() + larger);
    ApplicationFont shown(font);
    ChipWindow f;
    const double scale =
        std::max(1.0, QFontMetricsF(f.window.font()).lineSpacing() / kReferenceLineSpacing);
    const QSize minimum = f.window.minimumSizeHint();
    const std::string seen = "at " + std::to_string(font.pointSizeF()) + " points";
    EXPECT_LE(minimum.width(), 1016 * scale) << seen;  // 1024 less the frame's borders
    EXPECT_LE(minimum.height(), 540 * scale) << seen;  // 600 less a title bar and a panel
    // The window is shrunk as far as it goes: no further than its minimum.
    f.window.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(f.window.size(), minimum) << seen;
    EXPECT_EQ(cutTexts(f.window), std::vector<std::string>{}) << seen;
    for (const char* option :
         {"CheckBlankPriorProgramming", "VerifyAfterProgramming", "Voltage_button(3)",
          "HiLow_button(2)", "Slider1", "lblProgramPulse", "CheckData", "TestHardware_button"}) {
      EXPECT_TRUE(wholeInView(f.view<QWidget>(option))) << option << " " << seen;
    }
    // Beside the slider, the 27C256's pulse; the longest line, of the slowest page pauses,
    // fits in the same place.
    EXPECT_EQ(f.view<QLabel>("lblProgramPulse")->text(), QString::fromUtf8("Pulse 101 µs")) << seen;
    f.choose("X28C256");
    f.app.valueChosen("Slider1", 1);
    f.window.changed();
    QApplication::processEvents();
    EXPECT_EQ(f.view<QLabel>("lblProgramPulse")->text(), "Page pauses 20 + 22 ms") << seen;
    EXPECT_EQ(cutTexts(f.window), std::vector<std::string>{}) << seen;
  }
}

TEST(WindowLayout, TheMouseWheelOverThePageTurnsItAPageANotchAndThePageKeysMoveIt) {
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

  // The page keys move it as its scroll bar does.
  f.page()->setFocus();
  const auto press = [&](Qt::Key key) {
    QTest::keyClick(f.page(), key);
    return f.app.panel.VScroll1.value;
  };
  EXPECT_EQ(press(Qt::Key_PageDown), 1);
  EXPECT_TRUE(f.page()->toPlainText().startsWith("\n000100| "));
  EXPECT_EQ(press(Qt::Key_Down), 2);
  EXPECT_EQ(press(Qt::Key_End), 127);  // the last page of 32 KiB
  EXPECT_TRUE(f.page()->toPlainText().startsWith("\n007F00| "));
  EXPECT_EQ(press(Qt::Key_PageDown), 127);
  EXPECT_EQ(press(Qt::Key_PageUp), 126);
  EXPECT_EQ(press(Qt::Key_Up), 125);
  EXPECT_EQ(press(Qt::Key_Home), 0);
  EXPECT_EQ(f.pages()->value(), 0);
}

TEST(WindowLayout, TheMenusCarryTheUsualKeysAndKeysForTheDeviceCommands) {
  ChipWindow f;
  const auto keys = [&](const char* entry) { return f.view<QAction>(entry)->shortcut(); };
  EXPECT_EQ(keys("mnuFileOpenCode"), QKeySequence("Ctrl+O"));
  EXPECT_EQ(keys("mnuFileSaveCode"), QKeySequence("Ctrl+S"));
  EXPECT_EQ(keys("mnuFileSaveCodeAs"), QKeySequence("Ctrl+Shift+S"));
  EXPECT_EQ(keys("mnuFileExit"), QKeySequence("Ctrl+Q"));
  EXPECT_EQ(keys("mnuHelpContents"), QKeySequence("F1"));
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
  // Ctrl+Shift+S asks where to save the code buffer, on every desktop.
  f.dialogs.files.push_back(std::nullopt);
  QTest::keyClick(&f.window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(f.dialogs.shown.back().title, "Save CODE BUFFER As...");
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
  SimulatedWindow f;
  const auto image = f.files.path() /
                     "\xC3\x9C"
                     "bung_\xE2\x82\xAC.bin";  // Übung_€.bin
  std::ofstream(image, std::ios::binary) << std::string(256, 'A');
  f.dialogs.files.push_back(image);
  f.view<QAction>("mnuFileOpenCode")->trigger();
  const auto shownName = QString::fromUtf8("Übung_€.bin");  // as it is written, capitals too
  EXPECT_TRUE(f.view<QLabel>("FileNameCodeText")->text().endsWith(shownName))
      << f.view<QLabel>("FileNameCodeText")->text().toStdString();
  EXPECT_TRUE(
      f.view<QPlainTextEdit>("SystemLog")
          ->toPlainText()
          .contains(
              QString::fromUtf8("File %1/Übung_€.bin - was read").arg(f.files.path().c_str())));
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
