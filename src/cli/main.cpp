// burnlab-cli: the operator program's commands on a terminal, for scripts and headless machines.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/chip_write_back.h"
#include "cli/cli_command_line.h"
#include "cli/cli_dialogs.h"
#include "cli/cli_view.h"
#include "cli/command_refusals.h"
#include "cli/exit_status.h"
#include "launch/start_up.h"
#include "link/null_port.h"
#include "panel/std_platform.h"
#include "shell/app.h"
#include "sim/sim_clock.h"
#include "sim/sim_summary.h"

namespace {

using namespace burnlab;

// A command that needs no start-up runs on no port at all.
int runBeforeStartUp(const CliCommandLine& line, CliView& view) {
  NullPort noPort;
  StdPlatform platform(executableFolder());
  CliDialogs dialogs(line.request.yes);
  App app({noPort, platform, dialogs, view});
  CliContext context{app, view, line.request, std::cout, std::cerr, &line.program};
  return line.command->run(context);
}

int runAfterStartUp(const CliCommandLine& line, CliView& view) {
  const auto& request = line.request;
  CliDialogs dialogs(request.yes);
  std::string error;
  auto startUp =
      StartUp::build(line.program, ProgramSignals::Answer::StopTheCommand,
                     {std::make_unique<StdPlatform>(executableFolder()), dialogs, view}, error);
  if (!startUp) {
    std::cerr << "burnlab-cli: " << error << '\n';
    return kExitBadInput;
  }
  auto& app = startUp->app();
  auto& stack = startUp->stack();
  app.selection.allowUntested = request.allowUntested;
  ChipWriteBack keptChip(stack, std::cerr);
  auto* simulated = stack.simulatedBoard();
  // What the simulated board saw during the command, as the last line on standard error.
  auto commandStart = sim::BoardCounters{};
  const auto markCommandStart = [&] {
    if (simulated) commandStart = simulated->markCommand();
  };
  // The command's exit status; the run's outcome says whether a stop ended it first.
  int status = kExitSuccess;
  const auto run = app.runStoppable([&] {
    app.Form_Load();
    // Start-up empties the log before it ends: what the terminal shows starts after it.
    view.watch(app.panel);
    // Every image file, a restored setup's code file too, is read and written in this format.
    app.buffers.chosenFormat = request.format;
    // A setup slot first, as Load Setup restores it; the command line's own choices follow it.
    if (request.setup && !app.setups.loadSlot(*request.setup)) {
      markCommandStart();
      status = kExitBadInput;
      return CommandOutcome::failed("the setup slot was not restored");
    }
    startUp->applyOperatorChoices();
    markCommandStart();
    // A signal of start-up ends the run here, before the command writes to the board.
    app.operations.checkStop();
    CliContext context{app, view, request, std::cout, std::cerr, &line.program};
    status = line.command->run(context);
    return CommandOutcome::succeeded();
  });
  view.finish();
  // A signal ends the run with the board as Reset leaves it (the stop has reset it, unless the
  // signal came after the command's last step).
  const bool stopped = run.wasStopped() || app.stopRequest.requested();
  if (stopped) app.board.Reset();
  // Then the chip kept in a file goes back to it, the part-programmed chip of a stopped
  // command too: it is what the next run finds in the socket.
  const auto chipNotKept = keptChip.finish();
  if (simulated && !request.quiet) std::cerr << sim::summaryLine(commandStart, *simulated) << '\n';
  if (!chipNotKept.empty()) std::cerr << "burnlab-cli: " << chipNotKept << '\n';
  if (stopped) {
    const int signal = app.stopRequest.reason();
    std::cerr << "burnlab-cli: stopped by signal " << signal << "; the board was reset\n";
    return exitStatusOfSignal(signal);
  }
  // A trace cut short by a failed write (a full disk) fails the run, whatever the command did.
  if (const auto trace = stack.finishTrace(); !trace.empty()) {
    std::cerr << "burnlab-cli: " << trace << '\n';
    return status != kExitSuccess ? status : kExitBadInput;
  }
  if (!chipNotKept.empty() && status == kExitSuccess) return kExitChipNotKept;
  return status;
}

// What the simulated board saw of a command line refused before start-up: nothing at all.
std::string untouchedBoardLine(const ProgramOptions& options) {
  sim::VirtualClock clock;
  const sim::SimBoard board(options.simModel, options.simPort, clock);
  return sim::summaryLine(sim::BoardCounters{}, board);
}

}  // namespace

int main(int argc, char** argv) {
  CliCommandLine line;
  if (const auto status = readCliCommandLine({argv + 1, argv + argc}, line, std::cout, std::cerr)) {
    return *status;
  }
  if (const auto refused = refusalOnTheDevice(line); !refused.empty()) {
    std::cerr << "burnlab-cli: " << refused << '\n';
    if (line.program.simulate && !line.request.quiet) {
      std::cerr << untouchedBoardLine(line.program) << '\n';
    }
    return kExitBadInput;
  }
  CliView view(std::cerr, line.request.quiet, ::isatty(STDERR_FILENO) == 1);
  return line.command->startsUp ? runAfterStartUp(line, view) : runBeforeStartUp(line, view);
}
