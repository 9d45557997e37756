#include "gui/window_program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include "gui/board_test_dialog.h"
#include "gui/compare_menu.h"
#include "gui/qt_platform.h"
#include "gui/simulator_menu.h"

namespace burnlab {

std::unique_ptr<WindowProgram> WindowProgram::build(const ProgramOptions& options,
                                                    std::string& error) {
  auto program = std::unique_ptr<WindowProgram>(new WindowProgram());
  program->startUp_ =
      StartUp::build(options, ProgramSignals::Answer::EndTheProgram,
                     {std::make_unique<QtPlatform>(), program->dialogs_, program->window_}, error);
  if (!program->startUp_) return nullptr;
  program->attach();
  return program;
}

WindowProgram::WindowProgram() : dialogs_(&window_) {}

void WindowProgram::attach() {
  auto& app = startUp_->app();
  auto& stack = startUp_->stack();
  window_.attach(app);
  addCompareMenu(window_, app);
  addBoardTestEntry(window_, app);
  // On the simulated board the operator also chooses what sits in its socket.
  if (auto* board = stack.simulatedBoard()) {
    auto* menu = addSimulatorMenu(window_, *board, [&app] { return app.panel.Device.text; });
    // A chip kept in a file goes back to it when it leaves the socket, and at exit.
    if (stack.chipFile()) menu->onChipLeaving([&stack] { return stack.writeBackChip(); });
  }
}

void WindowProgram::start() {
  auto& app = startUp_->app();
  app.Form_Load();
  startUp_->applyOperatorChoices();
  window_.show();
}

void WindowProgram::waitUntilShown() {
  QElapsedTimer waited;
  waited.start();
  while (!(window_.windowHandle() && window_.windowHandle()->isExposed()) &&
         waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  QApplication::processEvents();
}

}  // namespace burnlab
