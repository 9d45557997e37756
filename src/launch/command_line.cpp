#include "launch/command_line.h"

#include <CLI/CLI.hpp>

namespace burnlab {
namespace {

// The help's layout: "COMMAND" where the parser says "SUBCOMMAND", and an option whose value
// may be left out ("--simulate{}") listed under its plain name. help2man makes the manual pages
// from it.
class HelpLayout final : public CLI::Formatter {
 public:
  HelpLayout() {
    label("SUBCOMMAND", "COMMAND");
    column_width(32);
  }
  std::string make_option_name(const CLI::Option* option, bool positional) const override {
    auto name = CLI::Formatter::make_option_name(option, positional);
    for (auto at = name.find("{}"); at != std::string::npos; at = name.find("{}")) {
      name.erase(at, 2);
    }
    // "-d, --device", as manual pages write the two names of an option.
    for (auto at = name.find(','); at != std::string::npos; at = name.find(',', at + 2)) {
      name.insert(at + 1, " ");
    }
    return name;
  }
  // A value that may be left out follows the name at once: --simulate[=SOCKET].
  std::string make_option_opts(const CLI::Option* option) const override {
    auto opts = CLI::Formatter::make_option_opts(option);
    if (opts.rfind(" [=", 0) == 0) opts.erase(0, 1);
    return opts;
  }
};

}  // namespace

void prepareParser(CLI::App& parser, const std::string& versionLine) {
  parser.formatter(std::make_shared<HelpLayout>());
  parser.set_help_flag("-h,--help", "show this help and exit");
  parser.set_version_flag("-V,--version", versionLine, "show the version and exit");
}

std::optional<int> parseCommandLine(CLI::App& parser, const std::vector<std::string>& arguments,
                                    std::ostream& out, std::ostream& errors) {
  // The parser takes its arguments last first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    parser.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << parser.help();  // the help of the command it was asked for, when one was named
    return 0;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << '\n';
    return 0;
  } catch (const CLI::ParseError& error) {
    errors << parser.get_name() << ": " << error.what() << " (see --help)\n";
    return kExitBadUsage;
  }
  return std::nullopt;
}

}  // namespace burnlab
