#include "cli/flash_commands.h"

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
  c.app.menuFlashShowCodeID_Click();
  return c.app.flash.identification.FlashSectorSize != 0 ? kExitSuccess : kExitOperationFailed;
}

}  // namespace burnlab
