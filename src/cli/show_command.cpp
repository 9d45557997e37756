#include "cli/show_command.h"

#include <algorithm>
#include <charconv>

#include "buffers/hex_page.h"
#include "cli/log_lines.h"
#include "shell/app.h"

namespace burnlab {
namespace {

constexpr int kRefused = 2;

// The value of "--name=value" or of the argument after "--name"; erases what it used.
bool takeValue(std::vector<std::string>& arguments, std::size_t at, const std::string& name,
               std::string& value) {
  const auto& argument = arguments[at];
  if (argument.size() > name.size() && argument[name.size()] == '=') {
    value = argument.substr(name.size() + 1);
    arguments.erase(arguments.begin() + static_cast<long>(at));
    return true;
  }
  if (at + 1 >= arguments.size()) return false;
  value = arguments[at + 1];
  arguments.erase(arguments.begin() + static_cast<long>(at),
                  arguments.begin() + static_cast<long>(at) + 2);
  return true;
}

bool isOption(const std::string& argument, const std::string& name) {
  return argument == name || argument.rfind(name + "=", 0) == 0;
}

bool parsePage(const std::string& text, std::int32_t& page) {
  const auto* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, page);
  return error == std::errc() && stop == end && page >= 0;
}

}  // namespace

std::string takeShowOptions(std::vector<std::string>& arguments, ShowRequest& request) {
  const auto show = std::find(arguments.begin(), arguments.end(), "show");
  if (show == arguments.end()) return "";
  for (auto at = static_cast<std::size_t>(show - arguments.begin()) + 1; at < arguments.size();) {
    const auto argument = arguments[at];
    std::string value;
    if (argument == "--data") {
      request.data = true;
      arguments.erase(arguments.begin() + static_cast<long>(at));
    } else if (isOption(argument, "-i") || isOption(argument, "--page")) {
      const auto name = isOption(argument, "-i") ? std::string("-i") : std::string("--page");
      if (!takeValue(arguments, at, name, value)) return name + " needs a value";
      if (name == "-i")
        request.file = value;
      else if (!parsePage(value, request.page))
        return "--page must be a page number, not '" + value + "'";
    } else {
      ++at;
    }
  }
  return "";
}

int showPage(App& app, const ShowRequest& request, std::ostream& page, std::ostream& messages) {
  if (request.file.empty()) {
    messages << "burnlab-cli: show needs the image file: -i FILE\n";
    return kRefused;
  }
  auto& display = app.hexDisplay;
  const auto logged = app.panel.SystemLog.text.size();
  const bool loaded = request.data ? app.bufferCommands.openDataFile(request.file)
                                   : app.bufferCommands.openCodeFile(request.file);
  messages << logLines(app.panel.SystemLog.text.substr(logged));
  if (!loaded) return kRefused;

  // The data view, as Show Data switches to it on a microcontroller.
  if (request.data) display.setScrollMax(kDataScrollMax);
  const auto lastPage = std::max(app.panel.VScroll1.max, app.panel.VScroll1.min);
  if (request.page > lastPage) {
    messages << "burnlab-cli: page " << request.page << " is beyond the last page " << lastPage
             << '\n';
    return kRefused;
  }
  display.setScrollValue(request.page);
  if (request.data) display.DisplayDataMemory();
  page << app.panel.BufferDisplay.text;
  return 0;
}

}  // namespace burnlab
