// burnlab_screenshot: starts the window on the simulated board without a display, reads the
// 27C256 in its socket (a sample image), saves a picture of the window and says how long
// start-up took until the window was shown. The size "minimum" shows the window at its minimum
// size. With a third argument FOLDER it also saves the About window and the help window there.
// With --programming first it programs the sample image into an erased 27C256 instead, and saves
// the window a third of the way through, its log lines in view, then stops the program.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <iostream>
#include <string>

#include "devices/device_catalogue.h"
#include "gui/about_dialog.h"
#include "gui/help_window.h"
#include "gui/window_program.h"

namespace {

bool savePicture(QWidget& widget, const QString& file) {
  widget.show();
  QApplication::processEvents();
  if (widget.grab().save(file)) return true;
  std::cerr << "burnlab_screenshot: cannot write " << file.toStdString() << '\n';
  return false;
}

// The other windows, as the Help menu opens them.
bool saveOtherWindows(burnlab::App& app, QWidget& owner, const QString& folder) {
  using namespace burnlab;
  AboutBox about;
  about.Form_Load();
  AboutDialog aboutWindow(app, about, &owner);
  HelpWindow help(&owner);
  const auto file = app.seams.platform.resourceFolder() / app.helpFileName;
  if (const auto error = help.open({file, HelpCommand::Contents, ""})) {
    std::cerr << "burnlab_screenshot: " << *error << '\n';
    return false;
  }
  help.showTopic(1);
  return savePicture(aboutWindow, folder + "/burnlab-about.png") &&
         savePicture(help, folder + "/burnlab-help.png");
}

// A sample image for the simulated 27C256: a text, then every byte value once, repeated.
std::string writeSampleImage(const QString& file) {
  std::string bytes = "BURNLAB sample image: the 27C256 in the simulated socket. ";
  for (int value = 0; bytes.size() < 32768; value = (value + 1) % 256) {
    bytes += static_cast<char>(value);
  }
  bytes.resize(32768);
  std::ofstream(file.toStdString(), std::ios::binary) << bytes;
  return file.toStdString();
}

// Chooses the 27C256 and reads it, as the operator does.
void readSampleChip(burnlab::App& app) {
  const auto& rows = burnlab::DeviceCatalogue::rows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].name == "Eprom 27C256") app.setDeviceListIndex(static_cast<int>(row));
  }
  app.Read_button_Click();
  app.seams.view.changed();
}

// Programs the sample image into the erased chip as the operator does (OK to the safety
// question), saves the window once a third of the chip is written, and stops the program there.
bool savePictureWhileProgramming(burnlab::WindowProgram& program, const std::string& image,
                                 const QString& file) {
  auto& app = program.app();
  const auto& rows = burnlab::DeviceCatalogue::rows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].name == "Eprom 27C256") app.setDeviceListIndex(static_cast<int>(row));
  }
  app.bufferCommands.openCodeFile(image);
  // The slowest speed: the longest pulses, which every cell of the simulated part takes.
  app.valueChosen("Slider1", 1);
  app.seams.view.changed();
  bool saved = false, taken = false;
  // Timers of its own run at the program's progress steps, where the window lets events through.
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      for (auto* button : question->buttons()) {
        if (question->buttonRole(button) == QMessageBox::AcceptRole) button->click();
      }
      return;
    }
    const auto& bar = app.panel.ProgressBar1;
    if (taken || bar.max <= 0 || bar.value * 3 < bar.max) return;
    taken = true;
    saved = program.window().grab().save(file);
    app.click("Stop_button");
  });
  look.start(20);
  app.click("Program_button");
  if (!saved) {
    std::cerr << "burnlab_screenshot: no picture of the programming was saved; the log:"
              << app.panel.SystemLog.text << '\n';
  }
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace burnlab;
  QElapsedTimer clock;
  clock.start();
  const bool programming = argc > 1 && std::string(argv[1]) == "--programming";
  if (programming) --argc, ++argv;
  if (argc < 2) {
    std::cerr << "usage: burnlab_screenshot [--programming] FILE.png [WIDTHxHEIGHT|minimum "
                 "[FOLDER]]\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir scratch;
  const auto sample = writeSampleImage(scratch.filePath("sample.bin"));
  ProgramOptions options;
  options.simulate = true;
  options.simSocket = programming ? "27C256" : "27C256:" + sample;
  // The programming pulses' simulated length on a PC whose busy-wait loop takes 1 ns an iteration,
  // whatever this machine measures.
  if (programming) options.simLoopNs = 1;
  std::string error;
  auto program = WindowProgram::build(options, error);
  if (!program) {
    std::cerr << "burnlab_screenshot: " << error << '\n';
    return 1;
  }
  program->start();
  program->waitUntilShown();
  const auto startUpMs = clock.elapsed();

  int width = 1280, height = 800;
  const bool minimumSize = argc > 2 && std::string(argv[2]) == "minimum";
  if (minimumSize) {
    width = program->window().minimumSizeHint().width();
    height = program->window().minimumSizeHint().height();
  } else if (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
    std::cerr << "burnlab_screenshot: size must read WIDTHxHEIGHT or minimum\n";
    return 2;
  }
  program->window().resize(width, height);
  QApplication::processEvents();
  if (programming) {
    return savePictureWhileProgramming(*program, sample, QString::fromLocal8Bit(argv[1])) ? 0 : 1;
  }
  readSampleChip(program->app());
  QApplication::processEvents();
  if (!program->window().grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::cerr << "burnlab_screenshot: cannot write " << argv[1] << '\n';
    return 1;
  }
  if (argc > 3 && !saveOtherWindows(program->app(), program->window(), argv[3])) return 1;
  const QSize minimum = program->window().minimumSizeHint();
  std::cout << "saved " << argv[1] << " (" << program->window().width() << "x"
            << program->window().height() << ", minimum " << minimum.width() << "x"
            << minimum.height() << "); start-up to shown window: " << startUpMs << " ms\n";
  return 0;
}
