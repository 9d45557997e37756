// burnlab: the operator program's main window.
#include <QApplication>
#include <iostream>

#include "gui/window_program.h"
#include "panel/branding.h"

int main(int argc, char** argv) {
  using namespace burnlab;
  // The options first: --help and --version answer without a display.
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

  QApplication application(argc, argv);
  std::string error;
  auto program = WindowProgram::build(options, error);
  if (!program) {
    std::cerr << "burnlab: " << error << '\n';
    return 1;
  }
  program->start();
  return application.exec();
}
