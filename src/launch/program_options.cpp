#include "launch/program_options.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>

#include "link/lpt_addresses.h"

namespace burnlab {
namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::optional<int> parseModel(const std::string& text) {
  if (text == "4" || text == "5" || text == "6") return text[0] - '0';
  return std::nullopt;
}

// Splits "--name=value" into its two halves; a plain "--name" has no value.
std::pair<std::string, std::optional<std::string>> splitOption(const std::string& argument) {
  const auto equals = argument.find('=');
  if (equals == std::string::npos) return {argument, std::nullopt};
  return {argument.substr(0, equals), argument.substr(equals + 1)};
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

  ParsedOptions run() {
    while (next_ < arguments_.size() && result_.error.empty()) {
      const auto& argument = arguments_[next_++];
      if (argument.rfind("--", 0) == 0 && argument.size() > 2) {
        option(argument);
      } else if (argument == "-h") {
        result_.options.help = true;
      } else {
        result_.options.arguments.push_back(argument);
      }
    }
    return result_;
  }

 private:
  void option(const std::string& argument) {
    auto [name, inlineValue] = splitOption(argument);
    auto& options = result_.options;
    if (name == "--help") return void(options.help = true);
    if (name == "--version") return void(options.version = true);
    if (name == "--direct") return void(options.direct = true);
    if (name == "--simulate") {
      options.simulate = true;
      options.simSocket = inlineValue.value_or("");
      return;
    }
    const auto value = inlineValue ? inlineValue : takeValue(name);
    if (!value) return;
    if (name == "--sim-model") return model(*value, name, options.simModel);
    if (name == "--sim-port") return port(*value, name, options.simPort);
    if (name == "--model") {
      int chosen = 0;
      model(*value, name, chosen);
      if (result_.error.empty()) options.model = chosen;
      return;
    }
    if (name == "--port") {
      std::uint16_t chosen = 0;
      port(*value, name, chosen);
      if (result_.error.empty()) options.port = chosen;
      return;
    }
    if (name == "--parport") return void(options.parportDevice = *value);
    if (name == "--trace") return void(options.traceFile = *value);
    result_.error = "unknown option " + name;
  }

  std::optional<std::string> takeValue(const std::string& name) {
    static const std::vector<std::string> kWithValue{"--sim-model", "--sim-port", "--model",
                                                     "--port",      "--parport",  "--trace"};
    if (std::find(kWithValue.begin(), kWithValue.end(), name) == kWithValue.end()) {
      result_.error = "unknown option " + name;
      return std::nullopt;
    }
    if (next_ >= arguments_.size()) {
      result_.error = name + " needs a value";
      return std::nullopt;
    }
    return arguments_[next_++];
  }

  void model(const std::string& value, const std::string& name, int& into) {
    const auto parsed = parseModel(value);
    if (!parsed) result_.error = name + " must be 4, 5 or 6, not '" + value + "'";
    else into = *parsed;
  }

  void port(const std::string& value, const std::string& name, std::uint16_t& into) {
    const auto parsed = parsePortName(value);
    if (!parsed) result_.error = name + " must be 378h, 278h or 3BCh, not '" + value + "'";
    else into = *parsed;
  }

  const std::vector<std::string>& arguments_;
  std::size_t next_ = 0;
  ParsedOptions result_;
};

}  // namespace

std::optional<std::uint16_t> parsePortName(const std::string& text) {
  static const std::map<std::string, std::uint16_t> kNames{
      {"278h", 0x278}, {"378h", 0x378}, {"3bch", 0x3BC},
      {"0x278", 0x278}, {"0x378", 0x378}, {"0x3bc", 0x3BC}};
  const auto found = kNames.find(lower(text));
  if (found == kNames.end()) return std::nullopt;
  return found->second;
}

ParsedOptions parseProgramOptions(const std::vector<std::string>& arguments) {
  return Parser(arguments).run();
}

std::string programOptionsHelp() {
  return "  --simulate[=SOCKET]        run on the simulated board; SOCKET is empty (the default),\n"
         "                             none (no board on any port) or CHIP[,FAULT...][:IMAGE],\n"
         "                             e.g. 27C256:image.bin, 24C16, X28C256,locked\n"
         "  --sim-model 4|5|6          model of the simulated board (default 6)\n"
         "  --sim-port 378h|278h|3BCh  port the simulated board sits on (default 378h)\n"
         "  --port 378h|278h|3BCh      choose the port, as the LPT Port Selection does\n"
         "  --model 4|5|6              force the board model, as the Setup menu does\n"
         "  --parport /dev/parportN    use this ppdev device node\n"
         "  --direct                   direct port I/O (ioperm, needs root) instead of ppdev\n"
         "  --trace FILE               write every port access to FILE\n"
         "  --help                     show this help\n"
         "  --version                  show the version\n";
}

}  // namespace burnlab
