// The real window on the offscreen platform: every control is there with its caption and tool
// tip, the window draws the Panel, and it hands the operator's actions to the core.
#include "gui/main_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <fstream>

#include "gui/help_window.h"
#include "gui/simulated_window.h"
#include "gui/window_placement.h"

namespace burnlab::testing {
namespace {

// Every control of the main window with its design-time caption and tool tip, and the menu
// entries that have a tool tip of their own. The other menu entries' captions are checked, in
// their order, by the menu test below.
struct Expected {
  const char* name;
  const char* caption;
  const char* toolTip;
};
const Expected kControls[] = {
    {"Frame2", "Select Device", ""},
    {"Device", "Please Select Device on this List", ""},
    {"PleaseSelect", "Please  Select Device", ""},
    {"Frame4", "LPT Port Selection", ""},
    {"LPTSelection(0)", "378h", ""},
    {"LPTSelection(1)", "278h", ""},
    {"LPTSelection(2)", "3BCh", ""},
    {"Frame5", "Optional Auto Operations", ""},
    {"CheckBlankPriorProgramming", "Check Blank Before Programming", ""},
    {"VerifyAfterProgramming", "Verify Device After Programming", ""},
    {"FrameVoltageSelection", "Select Device Programming Voltage", ""},
    {"Voltage_button(0)", "5V", ""},
    {"Voltage_button(1)", "12.5V", "Most CMOS actual Eproms use this Programming Voltage."},
    {"Voltage_button(2)", "21V",
     "Carefull. Few Eproms Use This Programming Voltage.  Can damage wrong eproms."},
    {"Voltage_button(3)", "25V",
     "Carefull. Few Eproms Use This Programming Voltage.  Can damage wrong eproms."},
    {"Frame10", "Hi / Low Byte Programming", "All Bytes, Even Bytes or Odd Bytes"},
    {"HiLow_button(0)", "Both", ""},
    {"HiLow_button(1)", "Hi Byte", ""},
    {"HiLow_button(2)", "Low Byte", ""},
    {"Label4", "Program Speed", ""},
    {"Slider1", "", "Slow Down or Speed Up Programming Speed"},
    {"lblProgramPulse", "", "The Program Pulse at this Speed"},
    {"CheckCode", "Code", ""},
    {"CheckData", "Data", ""},
    {"Read_button", "Read", "Read Whole Device to Buffer"},
    {"Blank_button", "Blank Chk", "Check Device for Blank (Erased)"},
    {"Verify_button", "Verify", "Verify (Compare) Device with File"},
    {"Program_button", "Program", "Program Device with Buffer Data"},
    {"Display_button", "Display", "Display Device's contents on Screen"},
    {"Erase_button", "Erase Buffer", "Erase Buffer to all \"FF\""},
    {"EraseFlash_button", "Erase Chip", "Erase Flash or Eeprom"},
    {"Show_button", "Show Data", ""},
    {"TestHardware_button", "TestPort", "Test Communication LPT port"},
    {"Frame9", "Burnlab Hardware Found", ""},
    {"BurnlabHardwareFound", "NO HARDWARE FOUND", ""},
    {"Error_label", "ERROR", ""},
    {"Program_label", "Program", ""},
    {"DataFlow_label", "DataFlow", ""},
    {"Ready_label", "HwReady", ""},
    {"sbStatusBar(1)", "Status", ""},
    {"sbStatusBar(2)", "08/12/2026", ""},  // the date and time panels tick from the start
    {"sbStatusBar(3)", "12:34:56", ""},
    {"Command1", "Command1", ""},
    {"Stop_button", "Stop", "Stop the Running Command (Esc)"},
    {"tbToolBar(1)", "OpenCode", "Open File into Code Buffer"},
    {"tbToolBar(2)", "SaveCode", "Save Code Buffer Into File"},
    {"tbToolBar(4)", "OpenData", "Open File into Data Buffer"},
    {"tbToolBar(5)", "SaveData", "Save Data Buffer into File"},
    {"FileNameCodeLabel", "File Name (Code):", ""},
    {"FileNameCodeText", "Click To Select a File", ""},
    {"FileNameCodeSize", "(0 Bytes)", ""},
    {"FileNameDataLabel", "File Name (Data):", ""},
    {"FileNameDataText", "Click To Select a File", ""},
    {"FileNameDataSize", "(0 Bytes)", ""},
    {"Frame3", "File Hex Display", ""},
    {"BufferDisplay", "", "Double Click to Save to Burnlab.Buf file"},
    {"Frame6", "System Log", ""},
    {"SystemLog", "", "Double Click to Save to Burnlab.Log file"},
    {"menuProtectEeprom", "Protect X28C256 After Programming",
     "Switch the chip's data protection on after it is programmed"},
    {"menuAllowUntested", "Allow Untested Flash Devices",
     "List the flash chips that work on the simulated board but were never tried on real "
     "hardware, and let them be chosen"},
};
// The controls that show neither a caption nor a tool tip.
const char* const kWithoutText[] = {"PortSelected", "Frame8",       "Frame7",       "Shape2",
                                    "Line1",        "ProgressBar1", "tbToolBar(3)", "VScroll1"};

// What the window shows as the control's caption, whatever kind of widget draws it.
QString shownCaption(QObject* view) {
  if (auto* menu = qobject_cast<QMenu*>(view)) return menu->title();
  if (auto* action = qobject_cast<QAction*>(view))
    return action->isSeparator() ? "" : action->text();
  if (auto* button = qobject_cast<QAbstractButton*>(view)) return button->text();
  if (auto* frame = qobject_cast<QGroupBox*>(view)) return frame->title();
  if (auto* label = qobject_cast<QLabel*>(view)) return label->text();
  if (auto* combo = qobject_cast<QComboBox*>(view)) return combo->placeholderText();
  if (auto* field = qobject_cast<QLineEdit*>(view)) return field->text();
  return "";
}

QString shownToolTip(QObject* view) {
  if (auto* action = qobject_cast<QAction*>(view)) return action->toolTip();
  if (auto* widget = qobject_cast<QWidget*>(view)) return widget->toolTip();
  return "";
}

TEST(MainWindow, ShowsEveryControlAndMenuEntryWithItsCaptionAndToolTip) {
  SimulatedWindow f(false);
  std::vector<Expected> expected(std::begin(kControls), std::end(kControls));
  for (const char* name : kWithoutText) expected.push_back({name, "", ""});
  for (const auto& control : expected) {
    QObject* view = f.window.viewOf(control.name);
    ASSERT_NE(view, nullptr) << control.name;
    EXPECT_EQ(shownCaption(view).toStdString(), control.caption) << control.name;
    // A tool bar entry without a tool tip of its own shows its caption.
    if (*control.toolTip || !qobject_cast<QAction*>(view)) {
      EXPECT_EQ(shownToolTip(view).toStdString(), control.toolTip) << control.name;
    }
  }
  // And nothing of the Panel is left without a widget of its name.
  for (const Control* control : std::as_const(f.app.panel).controls()) {
    if (control->name != "frmMain" && control->name != "Timer1") {
      QObject* view = f.window.viewOf(control->name);
      ASSERT_NE(view, nullptr) << control->name;
      EXPECT_EQ(view->objectName().toStdString(), control->name);
    }
  }
  EXPECT_EQ(f.window.windowTitle(), "BURNLAB-6 Eprom Programmer - Orvane - www.orvane.com");
}

// The menus as the window shows them: captions in order joined by "|", "-" for a separator,
// ">" before the entries of a submenu.
std::string menuText(const QMenu* menu, const std::string& indent = "") {
  std::string text;
  for (QAction* action : menu->actions()) {
    text += "|" + indent + (action->isSeparator() ? "-" : action->text().toStdString());
    if (action->menu()) text += menuText(action->menu(), indent + ">");
  }
  return text;
}

TEST(MainWindow, BuildsTheMenusInTheirOrderWithTheirSeparators) {
  SimulatedWindow f(false);
  std::string bar;
  for (QAction* menu : f.window.menuBar()->actions()) bar += "|" + menu->text().toStdString();
  EXPECT_EQ(bar, "|&File|&Tools|&Command|&Setup|&Devices|&Help");
  auto menu = [&](const char* name) { return f.view<QMenu>(name); };
  EXPECT_EQ(menuText(menu("mnuFile")),
            "|&Open Code...|&Save Code|Save Code &As...|-|Open Data...|Save Data|Save Data As...|-"
            "|&Close|E&xit");
  EXPECT_EQ(menuText(menu("menuCommand")),
            "|Blank Check Device for Erased|-|Program Device Code|Read Device Code"
            "|Verify Device Code|-|Program Device Data|Read Device Data|Verify Device Data|-"
            "|Display Device CODE|Display Device DATA|-|Erase CODE Buffer (\"FF\")"
            "|Erase DATA Buffer (\"FF\")|Erase Device Flash Memory"
            "|Protect X28C256 After Programming|-|Test LPT Ports|-|Show Flash Code ID#");
  EXPECT_EQ(menuText(menu("Setup")),
            "|&Load Setup|>Load Setup #&1|>Load Setup #&2|>Load Setup #&3|>Load Setup #&4|-"
            "|&Save Setup|>Save Setup #&1|>Save Setup #&2|>Save Setup #&3|>Save Setup #&4|-"
            "|Force Set BURNLAB-4|Force Set BURNLAB-5|Force Set BURNLAB-6|-|LoopFlashTest"
            "|ResetFlash");
  EXPECT_EQ(menuText(menu("mnuTools")), "|&Options...");
  EXPECT_EQ(menuText(menu("mnuDevices")), "|Allow Untested Flash Devices");
  EXPECT_EQ(menuText(menu("mnuHelp")), "|&Contents|&Search For Help On...|-|&About");
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

TEST(MainWindow, DrawsTheStateStartUpLeavesAndPaintsALampLitBeforeTheCoreGoesOn) {
  SimulatedWindow f;
  EXPECT_FALSE(f.view<QPushButton>("Read_button")->isEnabled());
  EXPECT_FALSE(f.view<QAction>("menuReadCode")->isEnabled());
  EXPECT_FALSE(f.view<QAction>("tbToolBar(4)")->isVisible());
  EXPECT_TRUE(f.view<QWidget>("FileNameDataText")->isHidden());
  EXPECT_EQ(f.view<QGroupBox>("Frame3")->title(), "Code Buffer Hex/Ascii Display");
  EXPECT_TRUE(f.view<QRadioButton>("LPTSelection(0)")->isChecked());
  // The window never opens smaller than its layout, whatever the stored width says.
  EXPECT_GE(f.window.width(), f.window.minimumSizeHint().width());

  QApplication::processEvents();
  auto* error = f.view<QLabel>("Error_label");
  EXPECT_EQ(error->palette().color(QPalette::WindowText), screenColor(kGreyText));
  PaintCounter counter;
  error->installEventFilter(&counter);
  f.app.lamps.ErrorLampOn();  // repaints at once, without returning to the event loop
  EXPECT_EQ(error->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_GE(counter.paints, 1);
}

TEST(MainWindow, AClickAListChoiceOrASliderMoveReachesTheCore) {
  SimulatedWindow f;
  f.port.clear();
  QTest::mouseClick(f.view<QPushButton>("TestHardware_button"), Qt::LeftButton);
  EXPECT_FALSE(f.port.lines.empty());  // the board search talks to the port

  f.view<QAction>("mnuToolsOptions")->trigger();
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown.back().kind, "message");
  EXPECT_EQ(f.dialogs.shown.back().text, "This menu option is not available.");

  auto* lowByte = f.view<QRadioButton>("HiLow_button(2)");
  QTest::mouseClick(lowByte, Qt::LeftButton);
  EXPECT_TRUE(f.app.panel.HiLow_button[2].checked);
  EXPECT_FALSE(f.view<QRadioButton>("HiLow_button(0)")->isChecked());

  // A list choice and a slider move.
  f.app.panel.Device.items = {"2732A", "2764"};
  f.window.changed();
  auto* device = f.view<QComboBox>("Device");
  ASSERT_EQ(device->count(), 2);
  EXPECT_EQ(device->currentIndex(), -1);
  emit device->activated(1);
  EXPECT_EQ(f.app.panel.Device.listIndex, 1);
  EXPECT_EQ(f.app.panel.Device.text, "2764");

  auto* slider = f.view<QSlider>("Slider1");
  EXPECT_EQ((std::array{slider->minimum(), slider->maximum(), slider->value()}),
            (std::array{1, 20, 18}));
  slider->setValue(5);  // as a drag does
  EXPECT_EQ(f.app.panel.Slider1.value, 5);
  // Drawing the Panel back does not run the handler again.
  f.app.panel.Slider1.value = 7;
  f.window.changed();
  EXPECT_EQ(slider->value(), 7);
  EXPECT_EQ(f.app.panel.Slider1.value, 7);
}

TEST(MainWindow, OpeningTheSetupMenuShowsTheStoredSlotNames) {
  SimulatedWindow f;
  f.platform.working = f.files.path();
  auto* setup = f.view<QMenu>("Setup");
  auto* slot2 = f.view<QAction>("LoadSetup2");
  std::ofstream(f.files.path() / "BLSetup2.INI") << "SetupName = Bench\r\n";
  emit setup->aboutToShow();
  EXPECT_TRUE(slot2->isEnabled());
  EXPECT_EQ(slot2->text().toStdString(), "Bench");

  std::ofstream(f.files.path() / "BLSetup2.INI") << "SetupName = Renamed\r\n";
  emit setup->aboutToShow();
  EXPECT_EQ(slot2->text().toStdString(), "Renamed");
  EXPECT_FALSE(f.view<QAction>("LoadSetup1")->isEnabled());
}

TEST(MainWindow, OpensAFileShowsItScrollsSavesItAsAndErasesTheBuffer) {
  SimulatedWindow f;
  const auto image = f.files.path() / "image.bin";
  std::string bytes(1000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 251);
  std::ofstream(image, std::ios::binary) << bytes;
  auto* display = f.view<QPlainTextEdit>("BufferDisplay");
  auto* scroll = f.view<QScrollBar>("VScroll1");

  f.dialogs.files.push_back(image);
  f.view<QAction>("tbToolBar(1)")->trigger();
  EXPECT_TRUE(display->toPlainText().startsWith("\n000000| 00010203 "));
  EXPECT_EQ(scroll->maximum(), 2);  // 1000 bytes: pages 0 to 2

  scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_TRUE(display->toPlainText().startsWith("\n000100| 05060708 "))
      << display->toPlainText().toStdString();

  const auto copy = f.files.path() / "copy.bin";
  f.dialogs.files.push_back(copy);
  f.view<QAction>("mnuFileSaveCodeAs")->trigger();
  EXPECT_EQ(readAll(copy), bytes);

  auto* erase = f.view<QPushButton>("Erase_button");
  ASSERT_TRUE(erase->isEnabled());
  QTest::mouseClick(erase, Qt::LeftButton);
  EXPECT_EQ(f.app.buffers.CodeBuffer[999], 0xFF);
  EXPECT_TRUE(display->toPlainText().contains("FFFFFFFF FFFFFFFF"));
}

TEST(MainWindow, TheLogViewAppendsAndStartsAfreshWhenTheLogIsEmptied) {
  SimulatedWindow f;
  auto* log = f.view<QPlainTextEdit>("SystemLog");
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

TEST(MainWindow, TheAboutWindowShowsTheVersionAndClosesWithOk) {
  SimulatedWindow f;
  std::string version;
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    version = about->findChild<QLabel*>("lblVersion")->text().toStdString();
    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  });
  f.view<QAction>("mnuHelpAbout")->trigger();
  EXPECT_EQ(version, "Version 1.0.54");
  EXPECT_FALSE(f.app.frmAbout.has_value());
}

TEST(MainWindow, TheHelpMenuOpensTheHelpWindowOnTheShippedDocumentAndExitClosesBoth) {
  SimulatedWindow f;
  f.platform.program = std::filesystem::path(BURNLAB_RESOURCES_DIR) / "help";
  f.view<QAction>("mnuHelpSearchForHelpOn")->trigger();
  auto* help = f.window.findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->windowTitle(), "Burnlab Help");
  EXPECT_GT(help->findChild<QListWidget*>("HelpKeywords")->count(), 50);
  // Exit closes the main window, without asking, saves its placement and closes the help
  // window too.
  f.view<QAction>("mnuFileExit")->trigger();
  EXPECT_FALSE(f.window.isVisible());
  EXPECT_FALSE(help->isVisible());
  EXPECT_TRUE(f.dialogs.shown.empty());
  EXPECT_EQ(f.platform.settings.count({"Settings", "MainWidth"}), 1u);
}

TEST(HelpWindow, ShowsTheContentsAndFindsTopicsByKeyword) {
  HelpWindow help(nullptr);
  const auto file = std::filesystem::path(BURNLAB_RESOURCES_DIR) / "help" / "burnlab5.hlp";
  EXPECT_FALSE(help.open({file, HelpCommand::Contents, ""}).has_value());
  auto* contents = help.findChild<QListWidget*>("HelpContents");
  EXPECT_GE(contents->count(), 10);
  EXPECT_FALSE(help.findChild<QTextBrowser*>("HelpTopic")->toPlainText().isEmpty());

  EXPECT_FALSE(help.open({file, HelpCommand::PartialKey, "Verif"}).has_value());
  auto* keywords = help.findChild<QListWidget*>("HelpKeywords");
  ASSERT_GE(keywords->count(), 1);
  EXPECT_TRUE(keywords->item(0)->text().startsWith("Verif"));

  const auto missing = help.open({"/nonexistent/burnlab5.hlp", HelpCommand::Contents, ""});
  ASSERT_TRUE(missing.has_value());
  EXPECT_NE(missing->find("/nonexistent/burnlab5.hlp"), std::string::npos);

  // A FIFO in the help file's place is refused at once, not waited on.
  TempFolder folder;
  const auto fifo = folder.path() / "burnlab5.hlp";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(help.open({fifo, HelpCommand::Contents, ""}).has_value());
}

TEST(WindowPlacement, ConvertsTwipsAtTheScreensDotsPerInch) {
  EXPECT_EQ(twipsToPixels(1500, 96), 100);
  EXPECT_EQ(twipsToPixels(1500, 144), 150);
  EXPECT_EQ(pixelsToTwips(100, 96), 1500);
  const auto placed = placementOf(QRect(10, 20, 800, 600), 96, false);
  EXPECT_EQ((std::array{placed.left, placed.top, placed.width, placed.height}),
            (std::array{150.0, 300.0, 12000.0, 9000.0}));
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
