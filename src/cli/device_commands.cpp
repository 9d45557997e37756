#include "cli/device_commands.h"

#include <algorithm>

#include "buffers/image_file_formats.h"
#include "cli/cli_view.h"
#include "cli/exit_status.h"
#include "cli/log_lines.h"
#include "devices/device_catalogue.h"
#include "devices/untested_devices.h"
#include "launch/program_signals.h"
#include "shell/app.h"

namespace burnlab {
namespace {

// The device the command line names (found before start-up), or the one a restored setup chose.
int chooseDevice(CliContext& c) {
  if (c.request.deviceRow) {
    c.app.setDeviceListIndex(*c.request.deviceRow);
  } else if (!c.app.device.selected()) {
    c.messages << "burnlab-cli: this command needs the device: -d NAME\n";
    return kExitBadInput;
  }
  return kExitSuccess;
}

// A command that would do nothing is refused rather than reported as a success: the Code box
// unticked (as a restored setup may leave it; the command acts on the code buffer only), or a
// device the program has no such routine for.
int refuseIdle(CliContext& c, const std::string& command, bool hasRoutine) {
  if (!c.app.panel.CheckCode.checked) {
    c.messages << "burnlab-cli: Code is not ticked (the setup left it so): " << command
               << " has nothing to do\n";
    return kExitBadInput;
  }
  if (!hasRoutine) {
    c.messages << "burnlab-cli: there is no " << command << " routine for "
               << c.app.device.DeviceName << ": nothing was done\n";
    return kExitBadInput;
  }
  return kExitSuccess;
}

// The code file the command works with: -i, or without it the one a restored setup loaded.
bool openImageFile(CliContext& c, const std::string& command) {
  const auto& file = c.request.input;
  if (file.empty() && c.app.buffers.CodeFileName.empty()) {
    c.messages << "burnlab-cli: " << command << " needs the image file: -i FILE\n";
    return false;
  }
  return file.empty() || c.app.bufferCommands.openCodeFile(file);
}

// A file longer than the device would lose its end: refused unless --truncate says to cut it.
int refuseLongerFile(CliContext& c) {
  const auto& app = c.app;
  const std::int32_t beyond = app.buffers.CodeSize - app.device.DeviceSize;
  if (beyond <= 0 || c.request.truncate) return kExitSuccess;
  c.messages << "burnlab-cli: the file is " << app.buffers.CodeSize << " bytes, " << beyond
             << " more than " << app.device.DeviceName << " holds: nothing was written (--truncate "
             << "programs its first " << app.device.DeviceSize << " bytes)\n";
  return kExitBadInput;
}

// The voltage option --voltage names, clicked as the operator would; refused when the selected
// device does not offer it.
int chooseVoltage(CliContext& c) {
  if (!c.request.voltage) return kExitSuccess;
  const int option = *c.request.voltage;
  auto& app = c.app;
  if (!app.panel.Voltage_button[static_cast<std::size_t>(option)].enabled) {
    c.messages << "burnlab-cli: " << app.device.DeviceName << " does not take the "
               << app.panel.Voltage_button[static_cast<std::size_t>(option)].caption
               << " programming voltage\n";
    return kExitBadInput;
  }
  app.chooseVoltage_button(option);
  return kExitSuccess;
}

// --protect ticks the window's entry that protects an X28C256 after it is programmed; refused
// for any other device, which has no such protection.
int chooseProtection(CliContext& c) {
  if (!c.request.protect) return kExitSuccess;
  auto& entry = c.app.panel.menuProtectEeprom;
  if (!entry.enabled) {
    c.messages << "burnlab-cli: " << c.app.device.DeviceName
               << " has no data protection to switch on: --protect is for the X28C256\n";
    return kExitBadInput;
  }
  entry.checked = true;
  return kExitSuccess;
}

// The core's Latin-1 text (the pulse line's "\xB5s") as the terminal's UTF-8.
std::string utf8FromLatin1(const std::string& text) {
  std::string utf8;
  for (const unsigned char c : text) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

// A line of the terminal's own after the log lines, where the window's wording does not fit.
void terminalLine(CliContext& c, const std::string& line) {
  c.view.flushLog();
  if (!c.request.quiet) c.messages << line << '\n';
}

}  // namespace

int statusOf(const CommandOutcome& outcome) {
  switch (outcome.kind) {
    case CommandOutcome::Kind::Succeeded:
      return kExitSuccess;
    case CommandOutcome::Kind::Failed:
      return kExitOperationFailed;
    case CommandOutcome::Kind::Stopped:  // a terminal's command stops by a signal only
      return outcome.stoppedBy > 0 ? exitStatusOfSignal(outcome.stoppedBy) : kExitOperationFailed;
    case CommandOutcome::Kind::NotSupported:
      break;
  }
  return kExitBadInput;
}

int listDevices(std::ostream& out, bool allowUntested) {
  for (int row = 0; row <= DeviceCatalogue::lastUsedRow(); ++row) {
    out << row << ' ' << deviceListEntry(row, allowUntested) << '\n';
  }
  return kExitSuccess;
}

int selectDevice(CliContext& c) {
  c.view.mute(true);
  const auto logged = c.app.panel.SystemLog.text.size();
  const int status = chooseDevice(c);
  if (status == kExitSuccess && c.request.speed) c.app.valueChosen("Slider1", *c.request.speed);
  c.out << logLines(c.app.panel.SystemLog.text.substr(logged));
  // What the window shows beside the speed slider.
  const auto& pulse = c.app.panel.lblProgramPulse.caption;
  if (!pulse.empty()) c.out << utf8FromLatin1(pulse) << '\n';
  c.view.mute(false);
  return status;
}

int withDevice(CliContext& c, int (*operation)(CliContext&)) {
  if (const int status = chooseDevice(c); status != kExitSuccess) return status;
  if (c.app.board.Model == 0) {
    c.view.flushLog();
    c.messages << "burnlab-cli: no board answered at any port\n";
    return kExitNoBoard;
  }
  if (c.request.speed) c.app.valueChosen("Slider1", *c.request.speed);
  if (c.request.lane) c.app.chooseHiLow_button(*c.request.lane);
  return operation(c);
}

int readDevice(CliContext& c) {
  if (const int refused = refuseIdle(c, "read", c.app.reading.hasReadRoutine())) return refused;
  if (const int status = statusOf(c.app.Read_button_Click()); status != kExitSuccess) {
    return status;
  }
  const auto& file = c.request.output;
  const auto format = c.app.buffers.chosenFormat.value_or(formatForName(file));
  const auto saved = writeImageFile(file, c.app.buffers.codeImage(), format);
  if (!saved.ok()) {
    c.messages << "burnlab-cli: cannot write " << file.string() << ": " << saved.error << '\n';
    return kExitBadInput;
  }
  // The log speaks of the window's scroll bar and Save As: the terminal is told where it went.
  terminalLine(c, file.string() + ": " + std::to_string(c.app.buffers.codeImage().size()) +
                      " bytes written");
  return kExitSuccess;
}

int blankCheckDevice(CliContext& c) {
  if (const int refused = refuseIdle(c, "blank check", c.app.blankCheck.hasCodeRoutine())) {
    return refused;
  }
  return statusOf(c.app.Blank_button_Click());
}

int verifyDevice(CliContext& c) {
  if (!openImageFile(c, "verify")) return kExitBadInput;
  // Every device has a verify of its code.
  if (const int refused = refuseIdle(c, "verify", true)) return refused;
  return statusOf(c.app.Verify_button_Click());
}

int programDevice(CliContext& c) {
  auto& app = c.app;
  if (!openImageFile(c, "program")) return kExitBadInput;
  const bool hasRoutine = app.device.Routines.program != ProgramRoutine::None;
  if (const int refused = refuseIdle(c, "program", hasRoutine)) return refused;
  if (const int refused = chooseVoltage(c)) return refused;
  if (const int refused = chooseProtection(c)) return refused;
  if (c.request.blankCheck) app.panel.CheckBlankPriorProgramming.checked = true;
  if (c.request.verifyAfter) app.panel.VerifyAfterProgramming.checked = true;
  if (const int refused = refuseLongerFile(c)) return refused;
  app.programming.longerCodeAccepted = c.request.truncate;
  const auto outcome = app.programming.Program_button_Click();
  // Without --yes the safety question was answered Cancel: nothing was written.
  if (!c.request.yes) return kExitBadInput;
  return statusOf(outcome);
}

int eraseDevice(CliContext& c) {
  auto& app = c.app;
  if (!app.panel.EraseFlash_button.enabled) {
    c.messages << "burnlab-cli: " << app.device.DeviceName << " has no Erase Chip\n";
    return kExitBadInput;
  }
  if (app.device.Routines.erase == EraseRoutine::None) {
    c.messages << "burnlab-cli: there is no erase routine for " << app.device.DeviceName
               << ": nothing was done\n";
    return kExitBadInput;
  }
  const int status = statusOf(app.erasing.EraseFlash_button_Click());
  if (status == kExitSuccess) {
    terminalLine(c, app.device.DeviceName + ": " + std::to_string(app.device.DeviceSize) +
                        " bytes erased to FFh");
  }
  return status;
}

int displayDevice(CliContext& c) {
  auto& app = c.app;
  if (const int refused = refuseIdle(c, "display", app.reading.hasDisplayRoutine())) {
    return refused;
  }
  app.Display_button_Click();
  const auto& page = c.request.page;
  if (page && *page != app.panel.VScroll1.value) {
    const auto lastPage = std::max(app.panel.VScroll1.max, app.panel.VScroll1.min);
    if (*page > lastPage) {
      c.messages << "burnlab-cli: page " << *page << " is beyond the last page " << lastPage
                 << '\n';
      return kExitBadInput;
    }
    app.hexDisplay.setScrollValue(*page);  // scrolling reads the page live
  }
  c.out << app.panel.BufferDisplay.text << "\r\n";
  return kExitSuccess;
}

}  // namespace burnlab
