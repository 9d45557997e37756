// burnlab: the operator program's main window.
#include <QApplication>
#include <iostream>

#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_platform.h"
#include "launch/port_stack.h"
#include "shell/app.h"
#include "shell/branding.h"

int main(int argc, char** argv) {
  using namespace burnlab;
  QApplication application(argc, argv);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto parsed = parseProgramOptions(arguments);
  if (!parsed.error.empty()) {
    std::cerr << "burnlab: " << parsed.error << " (see --help)\n";
    return 2;
  }
  const auto& options = parsed.options;
  if (options.help) {
    std::cout << "Usage: burnlab [options]\n\nOptions:\n" << programOptionsHelp();
    return 0;
  }
  if (options.version) {
    std::cout << "burnlab " << kProgramVersion << '\n';
    return 0;
  }

  std::string error;
  auto stack = PortStack::build(options, error);
  if (!stack) {
    std::cerr << "burnlab: " << error << '\n';
    return 1;
  }
  QtPlatform platform;
  MainWindow window;
  QtDialogs dialogs(&window);
  App app({stack->port(), platform, dialogs, window});
  stack->onProblem([&app](const std::string& problem) { app.reportPortProblem(problem); });
  if (auto* board = stack->simulatedBoard()) {
    app.assumeBoard({static_cast<std::int16_t>(board->base()),
                     static_cast<std::int16_t>(board->model())});
  }
  window.attach(app);
  app.Form_Load();
  window.show();
  return application.exec();
}
