#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_request.h"
#include "cli/command_options.h"

namespace burnlab {

class App;
class CliView;
struct ProgramOptions;

// What a command works with while it runs.
struct CliContext {
  App& app;
  CliView& view;
  const CliRequest& request;
  std::ostream& out;                        // the command's result: pages, lists, the selection
  std::ostream& messages;                   // log lines, refusals, the progress bar
  const ProgramOptions* program = nullptr;  // the board and simulator options
};

// One command of burnlab-cli: `burnlab-cli [options] NAME [its options]`.
struct CliCommand {
  std::string name;
  std::string summary;  // its line in --help
  // The options of the commands that it takes, and those of them it cannot go without.
  std::vector<const CommandOption*> options;
  std::vector<const CommandOption*> needs;
  // Whether it runs after the program's start-up. A command that does not runs before it, on
  // no port at all: it touches neither the port nor burnlab6.ini.
  bool startsUp = true;
  // Runs it; returns the exit status.
  std::function<int(CliContext&)> run;
  // Options of which it needs one at least (sum: a file or the chip).
  std::vector<const CommandOption*> needsOneOf = {};
  // Why it cannot work on the device -d names (no routine for it, a page past its end), asked
  // with that device chosen on no port before start-up (command_refusals.h); empty: it can.
  std::function<std::string(App& chosen, const CliRequest& request)> refusesDevice = {};
  // Whether it destroys what the chip holds without asking in the window: on the terminal it
  // runs only with --yes.
  bool needsYes = false;
};

// Every command, in the order the help lists them. A new command is added here.
const std::vector<CliCommand>& cliCommands();

}  // namespace burnlab
