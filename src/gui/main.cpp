// burnlab: the operator program's main window.
#include <CLI/CLI.hpp>
#include <QApplication>
#include <iostream>

#include "gui/window_program.h"
#include "launch/command_line.h"
#include "panel/branding.h"

int main(int argc, char** argv) {
  using namespace burnlab;
  // The options first: --help and --version answer without a display.
  ProgramOptions options;
  CLI::App parser("The BURNLAB programmer's main window.", "burnlab");
  prepareParser(parser, std::string("burnlab ") + kProgramVersion);
  addProgramOptions(parser, options);
  parser.allow_extras();  // Qt's own options (-platform, -style, ...) are Qt's to take
  if (const auto status = parseCommandLine(parser, {argv + 1, argv + argc}, std::cout, std::cerr)) {
    return *status;
  }
  auto left = parser.remaining();
  std::vector<char*> qtArguments{argv[0]};
  for (auto& argument : left) qtArguments.push_back(argument.data());
  int qtCount = static_cast<int>(qtArguments.size());
  qtArguments.push_back(nullptr);

  QApplication application(qtCount, qtArguments.data());
  if (const auto unknown = QApplication::arguments(); unknown.size() > 1) {
    std::cerr << "burnlab: unknown option " << unknown.at(1).toStdString() << " (see --help)\n";
    return kExitBadUsage;
  }
  std::string error;
  auto program = WindowProgram::build(options, error);
  if (!program) {
    std::cerr << "burnlab: " << error << '\n';
    return 1;
  }
  program->start();
  const int status = application.exec();
  // Both happen whatever the other gives: the chip kept in a file goes back to it, and the
  // port trace is finished.
  const auto chip = program->writeBackChip();
  const auto trace = program->finishTrace();
  for (const auto* problem : {&chip, &trace}) {
    if (!problem->empty()) std::cerr << "burnlab: " << *problem << '\n';
  }
  if (!chip.empty() || !trace.empty()) return status != 0 ? status : 1;
  return status;
}
