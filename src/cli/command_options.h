#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/cli_request.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace burnlab {

// An option that some commands take (-d, -i, -o, ...). It is declared on each command that takes
// it, so that the command's --help lists it, and once more on the command line as a whole, so
// that it may also stand before the command's name.
struct CommandOption {
  std::string names;        // as the parser takes them: "-d,--device"
  std::string whatItIs;     // how a command that needs it asks for it: "the device: -d NAME"
  bool setupGives = false;  // a restored setup slot can give it in its place (--setup)
  // Declares the option on `parser` under `names`, filling `request`.
  std::function<CLI::Option*(CLI::App& parser, const std::string& names, CliRequest& request)>
      declare;

  CLI::Option* declareOn(CLI::App& parser, CliRequest& request) const {
    return declare(parser, names, request);
  }
  // Its long name, "--device": how messages name it and the parser finds it.
  std::string longName() const;
};

// Every option of the commands. A new one is added here, with its field in CliRequest, and
// named in the commands (cli_commands.cpp) that take it.
namespace command_option {
extern const CommandOption kDevice;
extern const CommandOption kInput;
extern const CommandOption kOutput;
extern const CommandOption kPage;
extern const CommandOption kData;
extern const CommandOption kSpeed;
extern const CommandOption kLane;
extern const CommandOption kFormat;
extern const CommandOption kMax;
extern const CommandOption kBlankCheck;
extern const CommandOption kVerifyAfter;
extern const CommandOption kVoltage;
extern const CommandOption kProtect;
extern const CommandOption kReads;
extern const CommandOption kTruncate;
}  // namespace command_option

// All of them, in the order the help lists them.
const std::vector<const CommandOption*>& allCommandOptions();

}  // namespace burnlab
