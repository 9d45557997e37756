#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace burnlab {

// The CLI's own options, beside the program options both views share.
struct CliRequest {
  std::optional<std::string> device;  // -d/--device NAME|POS
  std::optional<std::int32_t> speed;  // --speed 1..20: the slider value
  std::optional<int> lane;            // --lane both|hi|low: HiLow_button 0, 1, 2
  bool quiet = false;                 // -q/--quiet: no log lines, no progress bar
  bool yes = false;                   // --yes: answer every question with OK
  std::filesystem::path input;        // -i FILE
  std::filesystem::path output;       // -o FILE
  std::optional<std::int32_t> page;   // --page N
  bool data = false;                  // --data
  std::optional<int> setup;           // --setup 1..4: the setup slot restored first
};

// Takes the CLI's options out of `arguments` wherever they stand, so that the program options
// never see them. Returns an error text, or "" when they were understood.
std::string takeCliOptions(std::vector<std::string>& arguments, CliRequest& request);

// The CLI's options for --help.
std::string cliOptionsHelp();

}  // namespace burnlab
