#include "cli/cli_request.h"

#include <charconv>
#include <functional>
#include <map>

namespace burnlab {
namespace {

bool parseNumber(const std::string& text, std::int32_t& number) {
  const auto* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  return error == std::errc() && stop == end;
}

// Applies the value of one option; returns an error text or "".
using ValueOption = std::function<std::string(CliRequest&, const std::string&)>;

const std::map<std::string, ValueOption>& valueOptions() {
  static const std::map<std::string, ValueOption> kOptions{
      {"-d", [](CliRequest& r, const std::string& v) { return r.device = v, std::string(); }},
      {"--device", [](CliRequest& r, const std::string& v) { return r.device = v, std::string(); }},
      {"-i", [](CliRequest& r, const std::string& v) { return r.input = v, std::string(); }},
      {"-o", [](CliRequest& r, const std::string& v) { return r.output = v, std::string(); }},
      {"--speed",
       [](CliRequest& r, const std::string& v) {
         std::int32_t speed = 0;
         if (!parseNumber(v, speed) || speed < 1 || speed > 20) {
           return "--speed must be 1 to 20, not '" + v + "'";
         }
         r.speed = speed;
         return std::string();
       }},
      {"--lane",
       [](CliRequest& r, const std::string& v) {
         static const std::map<std::string, int> kLanes{{"both", 0}, {"hi", 1}, {"low", 2}};
         const auto lane = kLanes.find(v);
         if (lane == kLanes.end()) return "--lane must be both, hi or low, not '" + v + "'";
         r.lane = lane->second;
         return std::string();
       }},
      {"--setup",
       [](CliRequest& r, const std::string& v) {
         std::int32_t slot = 0;
         if (!parseNumber(v, slot) || slot < 1 || slot > 4) {
           return "--setup must be a setup slot 1 to 4, not '" + v + "'";
         }
         r.setup = slot;
         return std::string();
       }},
      {"--page",
       [](CliRequest& r, const std::string& v) {
         std::int32_t page = 0;
         if (!parseNumber(v, page) || page < 0) {
           return "--page must be a page number, not '" + v + "'";
         }
         r.page = page;
         return std::string();
       }},
  };
  return kOptions;
}

}  // namespace

std::string takeCliOptions(std::vector<std::string>& arguments, CliRequest& request) {
  std::vector<std::string> rest;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const auto& argument = arguments[at];
    if (argument == "-q" || argument == "--quiet") {
      request.quiet = true;
      continue;
    }
    if (argument == "--yes") {
      request.yes = true;
      continue;
    }
    if (argument == "--data") {
      request.data = true;
      continue;
    }
    const auto equals = argument.find('=');
    const auto name = argument.substr(0, equals);
    const auto option = valueOptions().find(name);
    if (option == valueOptions().end()) {
      rest.push_back(argument);
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (at + 1 < arguments.size()) {
      value = arguments[++at];
    } else {
      return name + " needs a value";
    }
    if (auto error = option->second(request, value); !error.empty()) return error;
  }
  arguments = std::move(rest);
  return "";
}

std::string cliOptionsHelp() {
  return "  -d, --device NAME|POS      choose the device by its name or list position\n"
         "  --speed 1..20              the programming speed slider (20 is the fastest)\n"
         "  --lane both|hi|low         which bytes of the buffer the chip gets\n"
         "  -i FILE, -o FILE           the image file to read from or write to\n"
         "  --page N                   the page (scroll position) to show\n"
         "  --data                     the data buffer instead of the code buffer (show)\n"
         "  --setup 1..4               restore that setup slot first, as Load Setup does\n"
         "                             (device, options, port, code file); the options given\n"
         "                             here override it\n"
         "  --yes                      answer OK to every question\n"
         "  -q, --quiet                no log lines and no progress bar on stderr\n";
}

}  // namespace burnlab
