// The Simulator menu of the window on the simulated board, and the window driven end to end on
// a chip in the simulated socket: the operator's clicks on the real widgets.
#include "gui/simulator_menu.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <deque>
#include <fstream>
#include <functional>

#include "buffers/hex_page.h"
#include "gui/main_window.h"
#include "gui/simulated_window.h"
#include "gui/window_program.h"
#include "ops/device_reading.h"
#include "sim/chip_catalogue.h"
#include "support/record_reference.h"

namespace burnlab::testing {
namespace {

// Answers the modal dialogs of one operator action in turn, each as it opens. A dialog the
// script does not expect is rejected, so a wrong turn fails the test instead of hanging it.
class DialogScript {
 public:
  using Step = std::function<void(QWidget*)>;
  explicit DialogScript(std::initializer_list<Step> steps) : steps_(steps) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
    timer_.start(5);
  }
  ~DialogScript() { EXPECT_TRUE(steps_.empty()) << steps_.size() << " dialogs did not open"; }

 private:
  void answer() {
    QWidget* open = QApplication::activeModalWidget();
    if (!open || !open->isVisible() || open == answered_) return;
    answered_ = open;
    if (steps_.empty()) {
      ADD_FAILURE() << "unexpected dialog " << open->windowTitle().toStdString();
      if (auto* dialog = qobject_cast<QDialog*>(open)) dialog->reject();
      return;
    }
    const Step step = steps_.front();
    steps_.pop_front();
    step(open);
  }

  std::deque<Step> steps_;
  QTimer timer_;
  QPointer<QWidget> answered_;
};

DialogScript::Step answerInput(const QString& text, QString* shown = nullptr) {
  return [text, shown](QWidget* open) {
    auto* dialog = qobject_cast<QInputDialog*>(open);
    ASSERT_NE(dialog, nullptr) << open->metaObject()->className();
    if (shown) *shown = dialog->textValue();
    dialog->setTextValue(text);
    dialog->accept();
  };
}

DialogScript::Step chooseFile(const std::filesystem::path& file) {
  return [file](QWidget* open) {
    auto* dialog = qobject_cast<QFileDialog*>(open);
    ASSERT_NE(dialog, nullptr) << open->metaObject()->className();
    dialog->selectFile(QString::fromStdString(file.string()));
    static_cast<QDialog*>(dialog)->accept();
  };
}

DialogScript::Step acknowledgeMessage(QString& text) {
  return [&text](QWidget* open) {
    auto* box = qobject_cast<QMessageBox*>(open);
    ASSERT_NE(box, nullptr) << open->metaObject()->className();
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  };
}

// Triggers `entry`, answering the dialogs it opens with `steps` in turn.
void runAnswering(QAction* entry, std::initializer_list<DialogScript::Step> steps) {
  DialogScript script(steps);
  entry->trigger();
}

// A 27C256 image that differs from page to page and is nowhere blank.
std::vector<std::uint8_t> knownPattern() {
  std::vector<std::uint8_t> bytes(32768);
  for (std::uint32_t a = 0; a < bytes.size(); ++a) {
    bytes[a] = static_cast<std::uint8_t>((a * 7 + (a >> 8) * 13) % 0xFF);
  }
  return bytes;
}

// The window and its App on a simulated board with an empty socket, with the Simulator menu.
struct SimulatorWindow : SimulatedWindow {
  SimulatorWindow() : SimulatedWindow(false) {
    platform.simClock = &clock;
    menu = addSimulatorMenu(window, board, [this] { return app.panel.Device.text; });
    app.Form_Load();
  }
  QAction* entry(const char* name) { return view<QAction>(name); }
  void run(const char* name, std::initializer_list<DialogScript::Step> steps) {
    runAnswering(entry(name), steps);
  }
  QString socketShown() {
    emit menu->aboutToShow();
    return entry("mnuSimulatorSocket")->text();
  }
  sim::MemoryChip* chip() const { return menu->chip(); }
  std::string log() const { return app.panel.SystemLog.text; }
  // What the hex view shows, in the Panel's text without its carriage returns.
  static std::string viewText(std::string text) {
    std::erase(text, '\r');
    return text;
  }

  SimulatorMenu* menu = nullptr;
};

// The options of the window program started with a simulated board (or without one).
ProgramOptions simulating(const std::string& socket, bool simulate = true) {
  ProgramOptions options;
  options.simulate = simulate;
  options.simSocket = socket;
  return options;
}

std::unique_ptr<WindowProgram> windowProgram(const ProgramOptions& options) {
  std::string error;
  auto program = WindowProgram::build(options, error);
  EXPECT_NE(program, nullptr) << error;
  return program;
}

TEST(SimulatorMenu, IsInTheWindowOnlyWhenABoardIsSimulated) {
  TempFolder state;  // the simulated board's burnlab6.ini goes there
  ::setenv("XDG_STATE_HOME", state.path().c_str(), 1);
  {
    const auto program = windowProgram(simulating("27C256"));
    ASSERT_NE(program, nullptr);
    auto* menu = program->window().findChild<QMenu*>("mnuSimulator");
    ASSERT_NE(menu, nullptr);
    // A menu of its own, before Help; the system's menus keep their entries.
    std::vector<std::string> bar;
    for (QAction* each : program->window().menuBar()->actions()) {
      bar.push_back(each->text().toStdString());
    }
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Tools", "&Command", "&Setup", "&Devices",
                                             "C&ompare", "S&imulator", "&Help"}));
    emit menu->aboutToShow();
    EXPECT_EQ(menu->findChild<QAction*>("mnuSimulatorSocket")->text(),
              "Socket: 27C256 (32768 bytes)");
  }
  for (const auto& [simulate, socket] : {std::pair{true, "none"}, std::pair{false, ""}}) {
    // No board at all; the real port.
    const auto program = windowProgram(simulating(socket, simulate));
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->window().findChild<QMenu*>("mnuSimulator"), nullptr) << socket;
  }
  ::unsetenv("XDG_STATE_HOME");
}

TEST(SimulatorMenu, PutsAChipInTheSocketErasedOrWithAnImageThatFitsAndEmptiesIt) {
  SimulatorWindow f;
  EXPECT_EQ(f.socketShown(), "Socket: empty");
  EXPECT_FALSE(f.entry("mnuSimulatorErase")->isEnabled());

  // The part chooser starts on the part of the device selected in the window.
  f.app.panel.Device.text = "Eprom 2764          ";  // as the list pads it
  QString offered;
  f.run("mnuSimulatorPutChip", {answerInput("24C16", &offered)});
  EXPECT_EQ(offered, "2764");
  ASSERT_NE(f.chip(), nullptr);
  EXPECT_EQ(f.chip()->name(), "24C16");
  EXPECT_EQ(f.chip()->cells(), std::vector<std::uint8_t>(2048, 0xFF));
  EXPECT_EQ(f.socketShown(), "Socket: 24C16 (2048 bytes)");
  EXPECT_TRUE(f.entry("mnuSimulatorErase")->isEnabled());

  // An image that does not fit is refused, and the socket keeps its chip.
  const auto* kept = f.chip();
  const auto tooLong = f.files.path() / "long.bin";
  writeFile(tooLong, std::vector<std::uint8_t>(2049, 0x00));
  QString complaint;
  f.run("mnuSimulatorPutChipWithImage",
        {answerInput("24C16"), chooseFile(tooLong), acknowledgeMessage(complaint)});
  EXPECT_TRUE(complaint.contains("2049 bytes, more than the 2048")) << complaint.toStdString();
  EXPECT_EQ(f.chip(), kept);
  EXPECT_EQ(f.chip()->cell(0), 0xFF);

  const auto image = f.files.path() / "short.bin";
  writeFile(image, std::vector<std::uint8_t>{0x12, 0x34, 0x56});
  f.run("mnuSimulatorPutChipWithImage", {answerInput("27C256"), chooseFile(image)});
  ASSERT_NE(f.chip(), nullptr);
  EXPECT_EQ(f.chip()->name(), "27C256");
  EXPECT_EQ((std::array{f.chip()->cell(0), f.chip()->cell(2), f.chip()->cell(3)}),
            (std::array<std::uint8_t, 3>{0x12, 0x56, 0xFF}));

  // Cancel leaves the socket as it was.
  const auto* before = f.chip();
  f.run("mnuSimulatorPutChip", {[](QWidget* open) { qobject_cast<QDialog*>(open)->reject(); }});
  EXPECT_EQ(f.chip(), before);

  f.entry("mnuSimulatorEmpty")->trigger();
  EXPECT_EQ(f.board.chip(), nullptr);
  EXPECT_EQ(f.entry("mnuSimulatorSocket")->text(), "Socket: empty");
  EXPECT_FALSE(f.entry("mnuSimulatorSave")->isEnabled());
}

TEST(SimulatorMenu, ChangesOneByteErasesAndSavesTheChip) {
  SimulatorWindow f;
  f.run("mnuSimulatorPutChip", {answerInput("27C256")});
  QString prompt;
  f.run("mnuSimulatorChangeByte", {answerInput("7ff0h"), [&](QWidget* open) {
                                     prompt = qobject_cast<QInputDialog*>(open)->labelText();
                                     answerInput("5a")(open);
                                   }});
  EXPECT_EQ(prompt, "The byte at 7FF0h holds FFh. Its new value (hex):");
  EXPECT_EQ(f.chip()->cell(0x7FF0), 0x5A);

  // An address past the chip or a value past a byte is refused and changes nothing.
  QString complaint;
  f.run("mnuSimulatorChangeByte", {answerInput("8000"), acknowledgeMessage(complaint)});
  EXPECT_TRUE(complaint.contains("from 0 to 7FFF")) << complaint.toStdString();
  f.run("mnuSimulatorChangeByte",
        {answerInput("0"), answerInput("100"), acknowledgeMessage(complaint)});
  EXPECT_TRUE(complaint.contains("\"100\" is no byte")) << complaint.toStdString();
  EXPECT_EQ(f.chip()->cell(0), 0xFF);

  const auto saved = f.files.path() / "chip.bin";
  f.run("mnuSimulatorSave", {chooseFile(saved)});
  EXPECT_EQ(fileBytes(saved), f.chip()->cells());
  EXPECT_EQ(fileBytes(saved)[0x7FF0], 0x5A);

  f.entry("mnuSimulatorErase")->trigger();
  EXPECT_EQ(f.chip()->cells(), std::vector<std::uint8_t>(32768, 0xFF));
}

// Picks an item of the list as the operator does: open the list, click the entry.
void chooseInList(QComboBox* combo, const QString& text) {
  int index = -1;  // the list's entries are padded to one width
  for (int i = 0; i < combo->count() && index < 0; ++i) {
    if (combo->itemText(i).trimmed() == text) index = i;
  }
  ASSERT_GE(index, 0) << text.toStdString();
  combo->showPopup();
  QAbstractItemView* list = combo->view();
  const QModelIndex item = list->model()->index(index, 0);
  list->scrollTo(item);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
}

TEST(SimulatorWindow, ReadScrollDisplayBlankCheckAndVerifyAChipInTheSocket) {
  SimulatorWindow f;
  const auto pattern = knownPattern();
  const auto image = f.files.path() / "pattern.bin";
  writeFile(image, pattern);
  f.run("mnuSimulatorPutChipWithImage", {answerInput("27C256"), chooseFile(image)});
  ASSERT_NE(f.chip(), nullptr);
  ASSERT_EQ(f.chip()->cells(), pattern);

  chooseInList(f.view<QComboBox>("Device"), "Eprom 27C256");
  ASSERT_EQ(f.app.device.DeviceName, "Eprom 27C256");
  auto* hexView = f.view<QPlainTextEdit>("BufferDisplay");
  auto* scroll = f.view<QScrollBar>("VScroll1");
  auto* read = f.view<QPushButton>("Read_button");
  ASSERT_TRUE(read->isEnabled());

  QTest::mouseClick(read, Qt::LeftButton);
  const auto& buffer = f.app.buffers.CodeBuffer;
  ASSERT_EQ(f.app.buffers.CodeSize, 32768);
  EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), buffer.begin()));
  EXPECT_EQ(hexView->toPlainText().toStdString(),
            SimulatorWindow::viewText(codePageText(buffer, 0)));
  EXPECT_EQ(scroll->maximum(), 127);

  scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the scroll bar's arrow
  EXPECT_EQ(f.app.panel.VScroll1.value, 1);
  EXPECT_EQ(hexView->toPlainText().toStdString(),
            SimulatorWindow::viewText(codePageText(buffer, 1)));

  // Display shows the chip itself from its first page, with the live page's characters; the
  // scroll bar then reads further pages from the chip.
  f.chip()->setCell(0x0100, 0x7E);  // the chip now differs from the buffer
  QTest::mouseClick(f.view<QPushButton>("Display_button"), Qt::LeftButton);
  EXPECT_EQ(scroll->value(), 0);
  EXPECT_EQ(hexView->toPlainText().toStdString(),
            SimulatorWindow::viewText(livePageText({f.chip()->cells().data(), 256}, 0)));
  EXPECT_EQ(f.view<QGroupBox>("Frame3")->title(), "Device Memory Hex/Ascii Display");
  scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(hexView->toPlainText().toStdString(),
            SimulatorWindow::viewText(livePageText({f.chip()->cells().data() + 256, 256}, 1)));
  f.chip()->setCell(0x0100, pattern[0x0100]);

  // The chip holds data: the blank check fails, the ERROR lamp lights and the buttons wait.
  auto* error = f.view<QLabel>("Error_label");
  QTest::mouseClick(f.view<QPushButton>("Blank_button"), Qt::LeftButton);
  EXPECT_NE(f.log().find("Device IS NOT BLANK (ERASED)"), std::string::npos);
  EXPECT_EQ(error->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_FALSE(read->isEnabled());

  QTest::mouseClick(error, Qt::LeftButton);
  EXPECT_EQ(error->palette().color(QPalette::WindowText), screenColor(kGreyText));
  EXPECT_TRUE(read->isEnabled());
  EXPECT_TRUE(f.log().ends_with("Error Alert was Turned Off"));

  const auto logged = f.log().size();
  QTest::mouseClick(f.view<QPushButton>("Verify_button"), Qt::LeftButton);
  EXPECT_NE(f.log().find("Device Contents MATCHES with Buffer Contents", logged), std::string::npos)
      << f.log().substr(logged);
  EXPECT_EQ(error->palette().color(QPalette::WindowText), screenColor(kGreyText));
  EXPECT_TRUE(f.dialogs.shown.empty());
}

// The lines the Simulator menu shows for the last command.
std::vector<std::string> lastCommandShown(SimulatorMenu& menu) {
  std::vector<std::string> lines;
  for (QAction* action : menu.actions()) {
    if (action->objectName() == "mnuSimulatorLastCommand") {
      EXPECT_FALSE(action->isEnabled()) << "it only tells";
      lines.push_back(action->text().toStdString());
    }
  }
  return lines;
}

TEST(SimulatorWindow, TheMenuShowsWhatTheBoardSawDuringTheLastCommand) {
  SimulatorWindow f;
  EXPECT_EQ(lastCommandShown(*f.menu), std::vector<std::string>{"Last command: none yet"});
  std::string error;
  f.board.insert(sim::ChipCatalogue::make("27C256", {}, error));
  chooseInList(f.view<QComboBox>("Device"), "Eprom 27C256");
  QTest::mouseClick(f.view<QPushButton>("Read_button"), Qt::LeftButton);
  const auto read = lastCommandShown(*f.menu);
  ASSERT_EQ(read.size(), 4u);
  EXPECT_TRUE(read[0].starts_with("Last command: command ")) << read[0];
  EXPECT_TRUE(read[1].ends_with(" port accesses")) << read[1];
  EXPECT_EQ(read[2], "no bus contention");
  EXPECT_EQ(read[3], "no events");
  const auto accesses = std::stol(read[1]);
  EXPECT_GT(accesses, 32768 * 8) << "every byte's address and both nibbles";

  // The next command replaces it; opening a menu is no command and leaves it.
  QTest::mouseClick(f.view<QPushButton>("Display_button"), Qt::LeftButton);
  const auto display = lastCommandShown(*f.menu);
  ASSERT_EQ(display.size(), 4u);
  EXPECT_LT(std::stol(display[1]), accesses / 10) << "one page";
  emit f.window.findChild<QMenu*>("Setup")->aboutToShow();
  EXPECT_EQ(lastCommandShown(*f.menu), display);
}

TEST(SimulatorWindow, AChipKeptInAFileGoesBackWhenItLeavesTheSocketAndAtExit) {
  TempFolder state;  // the simulated board's burnlab6.ini goes there, and the chip's file
  ::setenv("XDG_STATE_HOME", state.path().c_str(), 1);
  auto options = simulating("27C256");
  options.simChipFile = state.path() / "chip.bin";
  const auto inFile = [&options](std::size_t address) {
    const std::string bytes = readAll(options.simChipFile);
    return bytes.size() == 32768 ? static_cast<std::uint8_t>(bytes[address]) : 0x100;
  };
  // Each window takes the chip from the file the last one left, and changes a byte of it.
  const auto open = [&options](std::uint32_t address, std::uint8_t value) {
    auto program = windowProgram(options);
    auto* menu = program->window().findChild<SimulatorMenu*>("mnuSimulator");
    menu->chip()->setCell(address, value);
    return std::pair{std::move(program), menu};
  };
  {
    const auto [program, menu] = open(0x10, 0x42);
    menu->findChild<QAction*>("mnuSimulatorEmpty")->trigger();
    EXPECT_EQ(inFile(0x10), 0x42);
  }
  {
    const auto [program, menu] = open(0x11, 0x43);
    runAnswering(menu->findChild<QAction*>("mnuSimulatorPutChip"), {answerInput("27C256")});
    EXPECT_EQ(inFile(0x11), 0x43);
    // The chip put in instead is not the file's: the file keeps the one that left.
    menu->chip()->setCell(0x12, 0x44);
    EXPECT_EQ(program->writeBackChip(), "");
    EXPECT_EQ(inFile(0x12), 0xFF);
  }
  {
    const auto [program, menu] = open(0x13, 0x45);
    EXPECT_EQ(program->writeBackChip(), "");  // as the program does at exit
    EXPECT_EQ(inFile(0x13), 0x45);
    EXPECT_EQ(inFile(0x10), 0x42);
  }
  ::unsetenv("XDG_STATE_HOME");
}

}  // namespace
}  // namespace burnlab::testing
