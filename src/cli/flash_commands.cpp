#include "cli/flash_commands.h"

#include "cli/device_commands.h"
#include "cli/exit_status.h"
#include "shell/app.h"

namespace burnlab {
namespace {

int refuse(CliContext& c, const char* command) {
  c.messages << "burnlab-cli: there is no " << command << " routine for " << c.app.device.DeviceName
             << ": nothing was done\n";
  return kExitBadInput;
}

}  // namespace

int showFlashCodeId(CliContext& c) {
  if (c.app.device.Routines.identify == IdentifyRoutine::None) {
    return refuse(c, "flash identification");
  }
  return statusOf(c.app.menuFlashShowCodeID_Click());
}

}  // namespace burnlab
