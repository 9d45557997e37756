#include "cli/cli_commands.h"

#include "cli/cli_view.h"
#include "cli/command_refusals.h"
#include "cli/device_commands.h"
#include "cli/exit_status.h"
#include "cli/flash_commands.h"
#include "cli/image_commands.h"
#include "cli/log_lines.h"
#include "cli/selftest_command.h"
#include "cli/show_command.h"
#include "cli/sim_erase_command.h"
#include "shell/app.h"

namespace burnlab {
namespace {

using namespace command_option;

// The board search, as the TestPort button runs it: prints the log lines it adds.
int detect(CliContext& c) {
  c.view.mute(true);
  const auto logged = c.app.panel.SystemLog.text.size();
  c.app.hardware.TestHardware_button_Click();
  c.out << logLines(c.app.panel.SystemLog.text.substr(logged));
  c.view.mute(false);
  return c.app.hardware.HardwareFoundPort > 0 ? kExitSuccess : kExitNoBoard;
}

int reset(CliContext& c) {
  c.app.board.SetupPortModel();
  c.app.board.Reset();
  return kExitSuccess;
}

int show(CliContext& c) {
  const auto& r = c.request;
  return showPage(c.app, {r.input, r.page.value_or(0), r.data}, c.out, c.messages);
}

}  // namespace

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> kCommands{
      {"list",
       "the Device list, one entry a line",
       {},
       {},
       false,
       [](CliContext& c) { return listDevices(c.out, c.request.allowUntested); }},
      {"select",
       "choose the device and print what was selected and the\nprogram pulse at the speed",
       {&kDevice, &kSpeed},
       {&kDevice},
       true,
       selectDevice},
      {"read",
       "read the whole chip and write it to FILE",
       {&kDevice, &kOutput, &kSpeed, &kLane, &kFormat},
       {&kDevice, &kOutput},
       true,
       [](CliContext& c) { return withDevice(c, readDevice); },
       {},
       device_refusal::withoutReadRoutine},
      {"blank",
       "check that the chip is erased",
       {&kDevice, &kSpeed, &kLane},
       {&kDevice},
       true,
       [](CliContext& c) { return withDevice(c, blankCheckDevice); },
       {},
       device_refusal::withoutBlankCheckRoutine},
      {"verify",
       "compare the chip with FILE",
       {&kDevice, &kInput, &kSpeed, &kLane, &kFormat},
       {&kDevice, &kInput},
       true,
       [](CliContext& c) { return withDevice(c, verifyDevice); }},
      {"compare",
       "list every address where the chip differs from FILE",
       {&kDevice, &kInput, &kMax, &kSpeed, &kLane, &kFormat},
       {&kDevice, &kInput},
       true,
       [](CliContext& c) { return withDevice(c, compareDevice); }},
      {"sum",
       "print the CRC-32 and byte sum of FILE, or of the chip",
       {&kDevice, &kInput, &kSpeed, &kLane, &kFormat},
       {},
       true,
       sumImage,
       {&kInput, &kDevice},
       device_refusal::readWithoutFile},
      {"program",
       "write FILE into the chip (asks first: --yes)",
       {&kDevice, &kInput, &kSpeed, &kLane, &kBlankCheck, &kVerifyAfter, &kVoltage, &kProtect,
        &kTruncate},
       {&kDevice, &kInput},
       true,
       [](CliContext& c) { return withDevice(c, programDevice); },
       {},
       device_refusal::withoutProgramRoutine},
      {"erase",
       "erase the chip: every byte FFh (X28C256, 24C08, 24C16, 24C32,\nthe flash chips; needs "
       "--yes)",
       {&kDevice, &kSpeed},
       {&kDevice},
       true,
       [](CliContext& c) { return withDevice(c, eraseDevice); },
       {},
       device_refusal::withoutEraseRoutine,
       true},
      {"display",
       "read one page of the chip and print it",
       {&kDevice, &kPage, &kSpeed, &kLane},
       {&kDevice},
       true,
       [](CliContext& c) { return withDevice(c, displayDevice); },
       {},
       device_refusal::withoutDisplayRoutineOrPage},
      {"flash-id",
       "identify the flash chip in the socket (Show Flash Code ID#)",
       {&kDevice, &kSpeed},
       {&kDevice},
       true,
       [](CliContext& c) { return withDevice(c, showFlashCodeId); },
       {},
       device_refusal::withoutFlashIdentification},
      {"show",
       "print a page of FILE as the hex display shows it",
       {&kInput, &kPage, &kData, &kFormat},
       {&kInput},
       true,
       show},
      {"sim-erase",
       "erase the simulated chip kept in --sim-chip FILE under UV\nlight (every byte FFh)",
       {},
       {},
       false,
       eraseKeptChip},
      {"detect", "search the three ports for the board", {}, {}, true, detect},
      {"reset", "put the board into its idle state", {}, {}, true, reset},
      {"selftest",
       "test the board: its read-back path, its port, the program\npulses and, with -d, the chip "
       "read N times",
       {&kDevice, &kReads},
       {},
       true,
       testBoard},
  };
  return kCommands;
}

}  // namespace burnlab
