#include "cli/selftest_command.h"

#include "cli/cli_view.h"
#include "cli/exit_status.h"
#include "shell/app.h"

namespace burnlab {

int testBoard(CliContext& c) {
  auto& app = c.app;
  if (c.request.deviceRow) app.setDeviceListIndex(*c.request.deviceRow);
  const bool device = app.device.selected();
  if (c.request.reads.value_or(0) > 0 && !device) {
    c.messages << "burnlab-cli: --reads reads the chip of a device: -d NAME\n";
    return kExitBadInput;
  }
  const int reads = c.request.reads.value_or(device ? BoardSelfTest::kDefaultChipReads : 0);
  // The checks' lines are the command's result: the log's copies of them are not repeated.
  c.view.mute(true);
  app.boardTest.run(reads);
  c.view.mute(false);
  const auto& report = app.boardTest.report();
  for (const auto& check : report.checks) c.out << SelfTestReport::lineOf(check) << '\n';
  c.out << "Board test: " << report.summary() << '\n';
  switch (report.outcome) {
    case SelfTestReport::Outcome::Passed:
      return kExitSuccess;
    case SelfTestReport::Outcome::NoBoard:
      return kExitNoBoard;
    default:
      return kExitOperationFailed;
  }
}

}  // namespace burnlab
