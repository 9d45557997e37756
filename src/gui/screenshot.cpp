// burnlab_screenshot: starts the window on the simulated board without a display, reads the
// 27C256 in its socket (a sample image), saves a picture of the window and says how long
// start-up took until the window was shown. With a third argument FOLDER it also saves the
// About window and the help window there.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWindow>
#include <fstream>
#include <iostream>

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

void waitUntilShown(QWidget& window) {
  QElapsedTimer waited;
  waited.start();
  while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
         waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace burnlab;
  QElapsedTimer clock;
  clock.start();
  if (argc < 2) {
    std::cerr << "usage: burnlab_screenshot FILE.png [WIDTHxHEIGHT [FOLDER]]\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir scratch;
  ProgramOptions options;
  options.simulate = true;
  options.simSocket = "27C256:" + writeSampleImage(scratch.filePath("sample.bin"));
  std::string error;
  auto program = WindowProgram::build(options, error);
  if (!program) {
    std::cerr << "burnlab_screenshot: " << error << '\n';
    return 1;
  }
  program->start();
  waitUntilShown(program->window());
  const auto startUpMs = clock.elapsed();

  int width = 1280, height = 800;
  if (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
    std::cerr << "burnlab_screenshot: size must read WIDTHxHEIGHT\n";
    return 2;
  }
  program->window().resize(width, height);
  QApplication::processEvents();
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
