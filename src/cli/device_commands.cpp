#include "cli/device_commands.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "cli/exit_status.h"
#include "cli/log_lines.h"
#include "devices/device_catalogue.h"
#include "shell/app.h"
#include "util/atomic_file.h"

namespace burnlab {
namespace {

std::string folded(std::string_view text) {
  std::string result;
  for (const char c : text)
    result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::optional<int> rowByPositionOrName(const std::string& nameOrPosition) {
  int position = -1;
  const auto* end = nameOrPosition.data() + nameOrPosition.size();
  if (const auto [stop, error] = std::from_chars(nameOrPosition.data(), end, position);
      error == std::errc() && stop == end) {
    if (DeviceCatalogue::row(position)) return position;
    return std::nullopt;
  }
  const auto wanted = folded(nameOrPosition);
  const auto& rows = DeviceCatalogue::rows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (folded(rows[row].name) == wanted) return static_cast<int>(row);
  }
  return std::nullopt;
}

// An operation failed when it raised the error alert.
int statusOfOperation(const App& app) {
  return app.panel.Error_label.foreColor == kWhite ? kExitOperationFailed : kExitSuccess;
}

int readDevice(App& app, const CliRequest& request, std::ostream& messages) {
  if (request.output.empty()) {
    messages << "burnlab-cli: read needs the file to write: -o FILE\n";
    return kExitBadInput;
  }
  app.Read_button_Click();
  if (const int status = statusOfOperation(app); status != kExitSuccess) return status;
  const auto saved = writeFileAtomically(request.output, app.buffers.codeImage());
  if (!saved.ok()) {
    messages << "burnlab-cli: cannot write " << request.output.string() << ": " << saved.error
             << '\n';
    return kExitBadInput;
  }
  return kExitSuccess;
}

int verifyDevice(App& app, const CliRequest& request, std::ostream& messages) {
  // Without -i the chip is compared with the code file a restored setup loaded.
  if (request.input.empty() && app.buffers.CodeFileName.empty()) {
    messages << "burnlab-cli: verify needs the image file: -i FILE\n";
    return kExitBadInput;
  }
  if (!request.input.empty() && !app.bufferCommands.openCodeFile(request.input)) {
    return kExitBadInput;
  }
  app.Verify_button_Click();
  return statusOfOperation(app);
}

int displayDevice(App& app, const CliRequest& request, std::ostream& out, std::ostream& messages) {
  app.Display_button_Click();
  if (request.page && *request.page != app.panel.VScroll1.value) {
    const auto lastPage = std::max(app.panel.VScroll1.max, app.panel.VScroll1.min);
    if (*request.page > lastPage) {
      messages << "burnlab-cli: page " << *request.page << " is beyond the last page " << lastPage
               << '\n';
      return kExitBadInput;
    }
    app.hexDisplay.setScrollValue(*request.page);  // scrolling reads the page live
  }
  out << app.panel.BufferDisplay.text << "\r\n";
  return kExitSuccess;
}

}  // namespace

bool isDeviceCommand(const std::string& command) {
  return command == "read" || command == "blank" || command == "verify" || command == "display" ||
         command == "select";
}

int listDevices(App& app, std::ostream& out) {
  const auto& items = app.panel.Device.items;
  for (std::size_t position = 0; position < items.size(); ++position) {
    out << position << ' ' << items[position] << '\n';
  }
  return kExitSuccess;
}

int chooseDevice(App& app, const std::string& nameOrPosition, std::ostream& messages) {
  const auto row = rowByPositionOrName(nameOrPosition);
  if (!row) {
    messages << "burnlab-cli: no device '" << nameOrPosition << "' (see the list command)\n";
    return kExitBadInput;
  }
  if (!DeviceCatalogue::row(*row)->supported) {
    messages << "burnlab-cli: " << DeviceCatalogue::row(*row)->name
             << " is not supported by this program\n";
    return kExitBadInput;
  }
  app.setDeviceListIndex(*row);
  return kExitSuccess;
}

int runDeviceCommand(App& app, const std::string& command, const CliRequest& request,
                     std::ostream& out, std::ostream& messages) {
  // A restored setup may have chosen the device already; -d chooses another.
  if (!request.device && !app.device.selected()) {
    messages << "burnlab-cli: " << command << " needs the device: -d NAME\n";
    return kExitBadInput;
  }
  const auto logged = app.panel.SystemLog.text.size();
  if (request.device) {
    if (const int status = chooseDevice(app, *request.device, messages); status != kExitSuccess) {
      return status;
    }
  }
  if (command == "select") {
    out << logLines(app.panel.SystemLog.text.substr(logged));
    return kExitSuccess;
  }
  if (app.board.Model == 0) {
    messages << "burnlab-cli: no board answered at any port\n";
    return kExitNoBoard;
  }
  if (request.speed) app.valueChosen("Slider1", *request.speed);
  if (request.lane) app.chooseHiLow_button(*request.lane);
  if (command == "read") return readDevice(app, request, messages);
  if (command == "blank") {
    app.Blank_button_Click();
    return statusOfOperation(app);
  }
  if (command == "verify") return verifyDevice(app, request, messages);
  return displayDevice(app, request, out, messages);
}

}  // namespace burnlab
