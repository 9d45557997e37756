// burnlab-cli: the operator program's commands on a terminal, for scripts and headless machines.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_dialogs.h"
#include "launch/port_stack.h"
#include "shell/app.h"
#include "shell/branding.h"
#include "shell/std_platform.h"

namespace {

using namespace burnlab;

void printHelp() {
  std::cout << "Usage: burnlab-cli [options] COMMAND\n\n"
               "Commands:\n"
               "  reset                      put the board into its idle state\n\n"
               "Options:\n"
            << programOptionsHelp();
}

// The operator's port and model choices, made after start-up as in the window.
void applyOperatorChoices(App& app, const ProgramOptions& options) {
  if (options.port) app.board.setPortBase(static_cast<std::int16_t>(*options.port));
  if (options.model) app.board.Model = static_cast<std::int16_t>(*options.model);
  if (options.port || options.model) app.board.SetupPortModel();
}

int runCommand(App& app, const std::vector<std::string>& command) {
  if (command.size() == 1 && command[0] == "reset") {
    app.board.SetupPortModel();
    app.board.Reset();
    return 0;
  }
  std::cerr << "burnlab-cli: unknown command '" << command[0] << "' (see --help)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto parsed = parseProgramOptions(arguments);
  if (!parsed.error.empty()) {
    std::cerr << "burnlab-cli: " << parsed.error << " (see --help)\n";
    return 2;
  }
  const auto& options = parsed.options;
  if (options.help) return printHelp(), 0;
  if (options.version) return std::cout << "burnlab-cli " << kProgramVersion << '\n', 0;
  if (options.arguments.empty()) {
    std::cerr << "burnlab-cli: no command given (see --help)\n";
    return 2;
  }

  std::string error;
  auto stack = PortStack::build(options, error);
  if (!stack) {
    std::cerr << "burnlab-cli: " << error << '\n';
    return 1;
  }
  StdPlatform platform(executableFolder());
  CliDialogs dialogs(false);
  NoView view;
  App app({stack->port(), platform, dialogs, view});
  stack->onProblem([](const std::string& problem) { std::cerr << "burnlab-cli: " << problem << '\n'; });
  if (auto* board = stack->simulatedBoard()) {
    app.assumeBoard({static_cast<std::int16_t>(board->base()),
                     static_cast<std::int16_t>(board->model())});
  }
  app.Form_Load();
  applyOperatorChoices(app, options);
  return runCommand(app, options.arguments);
}
