#include "cli/cli_command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/device_names.h"
#include "launch/command_line.h"
#include "launch/option_values.h"
#include "panel/branding.h"

namespace burnlab {
namespace {

constexpr const char* kCommandOptionsGroup =
    "Options of the commands (before or after the command)";

constexpr const char* kExitStatuses =
    "Exit status: 0 success, 1 the device operation failed, 2 bad usage or input,\n"
    "3 no board or port unavailable, 128 + the signal's number when Ctrl+C (130),\n"
    "SIGTERM or SIGHUP stopped the command (the board reset).\n"
    "`burnlab-cli COMMAND --help` shows the options of one command.";

// The options of every command: how much the terminal shows, the answers to questions, the
// setup slot restored first. A new option of every command is added here.
void addOptionsOfEveryCommand(CLI::App& parser, CliRequest& request) {
  constexpr const char* kGroup = "Options of every command";
  parser.add_flag("-q,--quiet", request.quiet, "no log lines and no progress bar on stderr")
      ->group(kGroup);
  parser.add_flag("--yes", request.yes, "answer OK to every question")->group(kGroup);
  parser
      .add_flag("--allow-untested", request.allowUntested,
                "offer the flash devices never tried on real hardware\n"
                "(they work on the simulated board)")
      ->group(kGroup);
  parser
      .add_option("--setup", request.setup,
                  "restore that setup slot first, as Load Setup does\n"
                  "(device, options, port, code file); the options\n"
                  "given here override it")
      ->type_name("1..4")
      ->check(wholeNumber(1, 4))
      ->group(kGroup);
}

std::vector<std::string> commandNames() {
  std::vector<std::string> names;
  for (const auto& command : cliCommands()) names.push_back(command.name);
  return names;
}

bool isCommandName(const std::string& word) {
  const auto names = commandNames();
  return std::find(names.begin(), names.end(), word) != names.end();
}

struct Parser {
  CLI::App app{
      "Reads, blank-checks, verifies, programs and erases chips on the BURNLAB board\n"
      "from a terminal.",
      "burnlab-cli"};
  std::vector<std::pair<CLI::App*, const CliCommand*>> commands;
  CLI::App* help = nullptr;
  std::string helpTopic;  // help COMMAND
};

void declare(Parser& parser, CliCommandLine& line) {
  auto& app = parser.app;
  prepareParser(app, std::string("burnlab-cli ") + kProgramVersion);
  addProgramOptions(app, line.program);
  addOptionsOfEveryCommand(app, line.request);
  // The options of the commands may also stand before the command's name.
  for (const auto* option : allCommandOptions()) {
    option->declareOn(app, line.request)->group(kCommandOptionsGroup);
  }
  for (const auto& command : cliCommands()) {
    auto* sub = app.add_subcommand(command.name, command.summary)->group("Commands");
    sub->fallthrough();  // the options of every command come after its name too
    for (const auto* option : command.options) option->declareOn(*sub, line.request);
    sub->footer("The options of every command: burnlab-cli --help");
    parser.commands.emplace_back(sub, &command);
  }
  parser.help =
      app.add_subcommand("help", "show this help, or the help of COMMAND")->group("Commands");
  parser.help->add_option("COMMAND", parser.helpTopic, "the command")
      ->check(CLI::IsMember(commandNames()));
  app.require_subcommand(0, 1);  // a second command is left over, and refused below
  app.allow_extras();            // what is left over is reported below, in the system's words
  app.footer(kExitStatuses);
}

// help, or help COMMAND.
int showHelp(Parser& parser, std::ostream& out) {
  const auto& topic = parser.helpTopic;
  const CLI::App* asked = topic.empty() ? &parser.app : parser.app.get_subcommand(topic);
  const auto name = topic.empty() ? std::string("burnlab-cli") : "burnlab-cli " + topic;
  out << asked->get_formatter()->make_help(asked, name, CLI::AppFormatMode::Normal);
  return 0;
}

// What is left over after parsing: a word that is no command, a second command, an option that
// nothing takes.
std::string leftOverProblem(const std::vector<std::string>& left, const CliCommand* command) {
  if (left.empty()) return command ? "" : "no command given";
  const auto& first = left.front();
  if (first.rfind('-', 0) == 0 && first.size() > 1) {
    return "unknown option " + first.substr(0, first.find('='));
  }
  if (!command) return "unknown command '" + first + "'";
  if (isCommandName(first)) return "one command at a time, not " + command->name + " and " + first;
  return command->name + " does not take '" + first + "'";
}

bool takes(const CliCommand& command, const CommandOption* option) {
  return std::find(command.options.begin(), command.options.end(), option) != command.options.end();
}

// The options of the commands given before the command's name that it does not take, and the
// ones it needs that were not given.
std::string commandOptionProblem(const Parser& parser, CLI::App& sub, const CliCommand& command,
                                 const CliRequest& request) {
  for (const auto* option : allCommandOptions()) {
    if (!takes(command, option) && parser.app.count(option->longName()) > 0) {
      return command.name + " does not take " + option->longName();
    }
  }
  if (command.needsYes && !request.yes) {
    return command.name + " destroys what the chip holds: it runs only with --yes";
  }
  // A command that runs before start-up restores no setup slot.
  if (!command.startsUp && request.setup) return command.name + " does not take --setup";
  const auto given = [&](const CommandOption* option) {
    return parser.app.count(option->longName()) + sub.count(option->longName()) > 0 ||
           (option->setupGives && request.setup);
  };
  for (const auto* option : command.needs) {
    if (!given(option)) return command.name + " needs " + option->whatItIs;
  }
  if (!command.needsOneOf.empty() &&
      std::none_of(command.needsOneOf.begin(), command.needsOneOf.end(), given)) {
    std::string either;
    for (const auto* option : command.needsOneOf) {
      either += (either.empty() ? "" : ", or ") + option->whatItIs;
    }
    return command.name + " needs " + either;
  }
  return "";
}

// The device -d names, found in the catalogue before start-up.
std::string deviceProblem(CliRequest& request) {
  if (!request.device) return "";
  const auto named = findDevice(*request.device, request.allowUntested);
  request.deviceRow = named.row;
  return named.problem;
}

std::string helpHint(const CliCommand* command) {
  return " (see burnlab-cli " + (command ? command->name + " " : std::string()) + "--help)";
}

}  // namespace

std::optional<int> readCliCommandLine(const std::vector<std::string>& arguments,
                                      CliCommandLine& line, std::ostream& out,
                                      std::ostream& errors) {
  Parser parser;
  declare(parser, line);
  if (const auto status = parseCommandLine(parser.app, arguments, out, errors)) return status;
  if (parser.help->parsed()) return showHelp(parser, out);

  CLI::App* sub = nullptr;
  for (const auto& [app, command] : parser.commands) {
    if (app->parsed()) sub = app, line.command = command;
  }
  auto problem = leftOverProblem(parser.app.remaining(), line.command);
  if (problem.empty()) problem = commandOptionProblem(parser, *sub, *line.command, line.request);
  if (!problem.empty()) problem += helpHint(line.command);
  if (problem.empty()) problem = deviceProblem(line.request);
  if (problem.empty()) return std::nullopt;
  errors << "burnlab-cli: " << problem << '\n';
  return kExitBadUsage;
}

}  // namespace burnlab
