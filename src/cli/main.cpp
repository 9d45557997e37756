// burnlab-cli: the operator program's commands on a terminal, for scripts and headless machines.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_dialogs.h"
#include "cli/cli_request.h"
#include "cli/cli_view.h"
#include "cli/device_commands.h"
#include "cli/exit_status.h"
#include "cli/log_lines.h"
#include "cli/show_command.h"
#include "launch/config_folder.h"
#include "launch/operator_choices.h"
#include "launch/port_stack.h"
#include "panel/branding.h"
#include "panel/std_platform.h"
#include "shell/app.h"

namespace {

using namespace burnlab;

void printHelp() {
  std::cout << "Usage: burnlab-cli [options] COMMAND\n"
               "       burnlab-cli --setup N [options] COMMAND\n\n"
               "Commands:\n"
               "  list                       the Device list, one entry a line\n"
               "  select -d NAME             choose the device and print what was selected\n"
               "  read -d NAME -o FILE       read the whole chip and write it to FILE\n"
               "  blank -d NAME              check that the chip is erased\n"
               "  verify -d NAME -i FILE     compare the chip with FILE\n"
               "  display -d NAME [--page N] read one page of the chip and print it\n"
               "  show -i FILE [--page N] [--data]\n"
               "                             load FILE into the code (data) buffer and print page N\n"
               "                             of the hex display\n"
               "  detect                     search the three ports for the board\n"
               "  reset                      put the board into its idle state\n\n"
               "Exit status: 0 success, 1 the device operation failed, 2 bad usage or input,\n"
               "3 no board or port unavailable.\n\n"
               "Options:\n"
            << programOptionsHelp() << cliOptionsHelp();
}

// The board search, as the TestPort button runs it: prints the log lines it adds.
int detect(App& app, CliView& view) {
  view.mute(true);
  const auto logged = app.panel.SystemLog.text.size();
  app.hardware.TestHardware_button_Click();
  std::cout << logLines(app.panel.SystemLog.text.substr(logged));
  view.mute(false);
  return app.hardware.HardwareFoundPort > 0 ? kExitSuccess : kExitNoBoard;
}

int runCommand(App& app, CliView& view, const std::string& command, const CliRequest& request) {
  if (command == "reset") {
    app.board.SetupPortModel();
    app.board.Reset();
    return kExitSuccess;
  }
  if (command == "list") return listDevices(app, std::cout);
  if (command == "detect") return detect(app, view);
  if (command == "show") {
    return showPage(app, {request.input, request.page.value_or(0), request.data}, std::cout,
                    std::cerr);
  }
  if (isDeviceCommand(command)) {
    view.mute(command == "select");
    const int status = runDeviceCommand(app, command, request, std::cout, std::cerr);
    view.mute(false);
    return status;
  }
  std::cerr << "burnlab-cli: unknown command '" << command << "' (see --help)\n";
  return kExitBadInput;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  CliRequest request;
  if (const auto error = takeCliOptions(arguments, request); !error.empty()) {
    std::cerr << "burnlab-cli: " << error << " (see --help)\n";
    return kExitBadInput;
  }
  const auto parsed = parseProgramOptions(arguments);
  if (!parsed.error.empty()) {
    std::cerr << "burnlab-cli: " << parsed.error << " (see --help)\n";
    return kExitBadInput;
  }
  const auto& options = parsed.options;
  if (options.help) return printHelp(), kExitSuccess;
  if (options.version) return std::cout << "burnlab-cli " << kProgramVersion << '\n', 0;
  if (options.arguments.size() != 1) {
    const char* problem = options.arguments.empty() ? "no command given" : "one command at a time";
    std::cerr << "burnlab-cli: " << problem << " (see --help)\n";
    return kExitBadInput;
  }

  std::string error;
  auto stack = PortStack::build(options, error);
  if (!stack) {
    std::cerr << "burnlab-cli: " << error << '\n';
    return kExitBadInput;
  }
  StdPlatform platform(executableFolder());
  CliDialogs dialogs(request.yes);
  CliView view(std::cerr, request.quiet, ::isatty(STDERR_FILENO) == 1);
  App app({stack->port(), platform, dialogs, view});
  stack->onProblem([&app](const std::string& problem) { app.reportPortProblem(problem); });
  app.portConfig.setFolder(portConfigFolder(options));
  app.Form_Load();
  // Start-up empties the log before it ends: what the terminal shows starts after it.
  view.watch(app.panel);
  // A setup slot first, as Load Setup restores it; the command line's own choices follow it.
  if (request.setup && !app.setups.loadSlot(*request.setup)) {
    view.flushLog();
    return kExitBadInput;
  }
  applyOperatorChoices(app, options);
  const int status = runCommand(app, view, options.arguments.front(), request);
  view.flushLog();
  return status;
}
