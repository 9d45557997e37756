#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "buffers/image_format.h"

namespace burnlab {

// What the CLI's own options ask for, beside the program options both views share. Each field is
// filled by the option named beside it (command_options.cpp, cli_command_line.cpp).
struct CliRequest {
  // Options of every command.
  bool quiet = false;          // -q/--quiet: no log lines, no progress bar
  bool yes = false;            // --yes: answer every question with OK
  bool allowUntested = false;  // --allow-untested: the untested flash devices may be chosen
  std::optional<int> setup;    // --setup 1..4: the setup slot restored first

  // Options of the commands that take them.
  std::optional<std::string> device;  // -d/--device NAME|POS
  std::optional<int> deviceRow;       // the catalogue row it names, found before start-up
  std::optional<std::int32_t> speed;  // --speed 1..20: the slider value
  std::optional<int> lane;            // --lane both|hi|low: HiLow_button 0, 1, 2
  std::filesystem::path input;        // -i FILE
  std::filesystem::path output;       // -o FILE
  std::optional<std::int32_t> page;   // --page N
  bool data = false;                  // --data
  bool blankCheck = false;            // --blank-check: Check Blank Before Programming
  bool verifyAfter = false;           // --verify: Verify Device After Programming
  std::optional<int> voltage;         // --voltage 5|12.5|21|25: Voltage_button 0..3
  bool protect = false;               // --protect: the X28C256's protection on after Program
  std::optional<int> reads;           // --reads N: selftest's reads of the chip
  bool truncate = false;              // --truncate: a file longer than the device is cut

  // Options of the commands that read or write image files.
  std::optional<ImageFormat> format;     // --format raw|ihex|srec
  std::optional<std::size_t> maxListed;  // --max N: the differences compare lists
};

}  // namespace burnlab
