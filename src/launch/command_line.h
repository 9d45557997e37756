#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace burnlab {

// The exit status of a command line that was not understood.
inline constexpr int kExitBadUsage = 2;

// Gives a program's parser what both programs offer: the help flag (-h, --help), the version
// flag (-V, --version, printing `versionLine`) and the layout of the help.
void prepareParser(CLI::App& parser, const std::string& versionLine);

// Parses `arguments` (the program's own name left out) with `parser`. Help and the version are
// written to `out` and end the program with status 0; a usage error is written to `errors`, as
// "NAME: what was wrong (see --help)", and ends it with kExitBadUsage. Returns that status, or
// nothing when the program goes on.
std::optional<int> parseCommandLine(CLI::App& parser, const std::vector<std::string>& arguments,
                                    std::ostream& out, std::ostream& errors);

}  // namespace burnlab
