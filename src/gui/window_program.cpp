#include "gui/window_program.h"

#include "gui/board_test_dialog.h"
#include "gui/compare_menu.h"
#include "gui/simulator_menu.h"
#include "launch/config_folder.h"
#include "launch/operator_choices.h"

namespace burnlab {

std::unique_ptr<WindowProgram> WindowProgram::build(const ProgramOptions& options,
                                                    std::string& error) {
  auto stack = PortStack::build(options, error);
  if (!stack) return nullptr;
  return std::unique_ptr<WindowProgram>(new WindowProgram(std::move(stack), options));
}

WindowProgram::WindowProgram(std::unique_ptr<PortStack> stack, const ProgramOptions& options)
    : options_(options),
      stack_(std::move(stack)),
      simulatedPlatform_(platform_, stack_->simulatedTime(), !options.simNoWait),
      dialogs_(&window_),
      app_({stack_->port(), simulatedPlatform_, dialogs_, window_}) {
  app_.board.observeDelays(stack_->simulatedTime());
  app_.boardTest.portKind = stack_->backEndName();
  if (auto* clock = stack_->simulatedClock()) {
    app_.boardTest.measureWith([clock] { return clock->nowNs(); });
  }
  stack_->onProblem([this](const std::string& problem) { app_.reportPortProblem(problem); });
  const auto folders = programFolders(options_);
  platform_.useFolders(folders.resources, folders.setups);
  app_.portConfig.setFolder(folders.portConfig);
  window_.attach(app_);
  addCompareMenu(window_, app_);
  addBoardTestEntry(window_, app_);
  // On the simulated board the operator also chooses what sits in its socket.
  if (auto* board = stack_->simulatedBoard()) {
    auto* menu = addSimulatorMenu(window_, *board, [this] { return app_.panel.Device.text; });
    // A chip kept in a file goes back to it when it leaves the socket, and at exit.
    if (stack_->chipFile()) menu->onChipLeaving([this] { return stack_->writeBackChip(); });
  }
}

void WindowProgram::start() {
  app_.Form_Load();
  applyOperatorChoices(app_, options_);
  window_.show();
}

}  // namespace burnlab
