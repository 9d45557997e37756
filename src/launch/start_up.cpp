#include "launch/start_up.h"

#include "launch/operator_choices.h"

namespace burnlab {

std::unique_ptr<StartUp> StartUp::build(const ProgramOptions& options,
                                        ProgramSignals::Answer answer, ViewParts view,
                                        std::string& error) {
  return build(options, answer, std::move(view), programFolders(options), error);
}

std::unique_ptr<StartUp> StartUp::build(const ProgramOptions& options,
                                        ProgramSignals::Answer answer, ViewParts view,
                                        const ProgramFolders& folders, std::string& error,
                                        const PortTap& tap) {
  // Before anything else, the trace file included: from here on no signal is lost.
  auto owner = std::make_unique<ProgramSignals>(answer);
  auto stack = PortStack::build(options, error, tap);
  if (!stack) return nullptr;
  return std::unique_ptr<StartUp>(
      new StartUp(options, std::move(owner), std::move(stack), std::move(view), folders));
}

StartUp::StartUp(const ProgramOptions& options, std::unique_ptr<ProgramSignals> owner,
                 std::unique_ptr<PortStack> stack, ViewParts view, const ProgramFolders& folders)
    : options_(options),
      signals_(std::move(owner)),
      stack_(std::move(stack)),
      platform_(std::move(view.platform)),
      simulatedPlatform_(*platform_, stack_->simulatedTime(), !options.simNoWait),
      app_({stack_->port(), simulatedPlatform_, view.dialogs, view.view}),
      asking_(app_.stopRequest) {
  app_.board.observeDelays(stack_->simulatedTime());
  app_.boardTest.portKind = stack_->backEndName();
  if (auto* clock = stack_->simulatedClock()) {
    app_.boardTest.measureWith([clock] { return clock->nowNs(); });
  }
  stack_->onProblem([this](const std::string& problem) { app_.reportPortProblem(problem); });
  platform_->useFolders(folders.resources, folders.setups);
  app_.portConfig.setFolder(folders.portConfig);
}

void StartUp::applyOperatorChoices() {
  burnlab::applyOperatorChoices(app_, options_);
}

}  // namespace burnlab
