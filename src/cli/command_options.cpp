#include "cli/command_options.h"

#include <CLI/CLI.hpp>
#include <limits>

#include "launch/option_values.h"
#include "util/file_access.h"

namespace burnlab {
namespace {

// -o's file: refused at once when it could not be written, before the chip is read for it.
CLI::Validator writableFile() {
  return CLI::Validator([](std::string& file) { return whyTargetIsNotWritable(file); }, "");
}

// -i's file: refused at once when it could not be read.
CLI::Validator readableFile() {
  return CLI::Validator([](std::string& file) { return whyFileIsNotReadable(file); }, "");
}

// An option naming a FILE, which `check` refuses at once when it cannot serve.
CLI::Option* fileOption(CLI::App& parser, const std::string& names, std::filesystem::path& file,
                        const std::string& help, CLI::Validator check) {
  return parser.add_option(names, file, help)->type_name("FILE")->check(std::move(check));
}

}  // namespace

std::string CommandOption::longName() const {
  const auto comma = names.rfind(',');
  return comma == std::string::npos ? names : names.substr(comma + 1);
}

namespace command_option {

const CommandOption kDevice{"-d,--device", "the device: -d NAME", true,
                            [](CLI::App& parser, const std::string& names, CliRequest& request) {
                              return parser
                                  .add_option(
                                      names, request.device,
                                      "the device: its list position, its name\n"
                                      "(\"Eprom 27C256\") or the chip's name alone (27C256)")
                                  ->type_name("NAME|POS");
                            }};

const CommandOption kInput{"-i,--input", "the image file: -i FILE", true,
                           [](CLI::App& parser, const std::string& names, CliRequest& request) {
                             return fileOption(parser, names, request.input,
                                               "the image file to read", readableFile());
                           }};

const CommandOption kOutput{"-o,--output", "the file to write: -o FILE", false,
                            [](CLI::App& parser, const std::string& names, CliRequest& request) {
                              return fileOption(parser, names, request.output,
                                                "the image file to write", writableFile());
                            }};

const CommandOption kPage{
    "--page", "the page: --page N", false,
    [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser.add_option(names, request.page, "the page (scroll position) to show")
          ->type_name("N")
          ->check(wholeNumber(0, std::numeric_limits<std::int32_t>::max()));
    }};

const CommandOption kData{
    "--data", "", false, [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser.add_flag(names, request.data, "the data buffer instead of the code buffer");
    }};

const CommandOption kSpeed{"--speed", "the speed: --speed N", false,
                           [](CLI::App& parser, const std::string& names, CliRequest& request) {
                             return parser
                                 .add_option(names, request.speed,
                                             "the programming speed slider (default 18; 20, the\n"
                                             "fastest, gives 1 us program pulses, which most\n"
                                             "chips do not take; select shows the pulse)")
                                 ->type_name("1..20")
                                 ->check(wholeNumber(1, 20));
                           }};

const CommandOption kLane{
    "--lane", "the byte lane: --lane both|hi|low", false,
    [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser.add_option(names, request.lane, "which bytes of the buffer the chip gets")
          ->type_name("both|hi|low")
          ->transform(oneOfWords({{"both", "0"}, {"hi", "1"}, {"low", "2"}}));
    }};

const CommandOption kFormat{"--format", "the image format: --format raw|ihex|srec", false,
                            [](CLI::App& parser, const std::string& names, CliRequest& request) {
                              const auto number = [](ImageFormat format) {
                                return std::to_string(static_cast<int>(format));
                              };
                              return parser
                                  .add_option(
                                      names, request.format,
                                      "read and write image files in this format, not in\n"
                                      "the one their content (reading) or name (writing) shows")
                                  ->type_name("raw|ihex|srec")
                                  ->transform(oneOfWords({{"raw", number(ImageFormat::Raw)},
                                                          {"ihex", number(ImageFormat::IntelHex)},
                                                          {"srec", number(ImageFormat::SRecord)}}));
                            }};

const CommandOption kMax{"--max", "the most differences to list: --max N", false,
                         [](CLI::App& parser, const std::string& names, CliRequest& request) {
                           return parser
                               .add_option(names, request.maxListed,
                                           "list at most N differences (all are counted)")
                               ->type_name("N")
                               // A negative count would wrap round to "list them all".
                               ->check(wholeNumber(0));
                         }};

const CommandOption kReads{
    "--reads", "the reads of the chip: --reads N", false,
    [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser
          .add_option(names, request.reads,
                      "read the chip N times (default 3, with -d; 0: not at\nall)")
          ->type_name("N")
          ->check(CLI::Range(0, 100).description(""));
    }};

const CommandOption kBlankCheck{
    "--blank-check", "", false,
    [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser.add_flag(names, request.blankCheck,
                             "tick Check Blank Before Programming: a chip that is\n"
                             "not blank is left unwritten");
    }};

const CommandOption kVerifyAfter{
    "--verify", "", false, [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser.add_flag(names, request.verifyAfter, "tick Verify Device After Programming");
    }};

const CommandOption kVoltage{
    "--voltage", "the programming voltage: --voltage 5|12.5|21|25", false,
    [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser
          .add_option(names, request.voltage,
                      "the programming voltage option to choose; refused\n"
                      "when the device does not offer it")
          ->type_name("5|12.5|21|25")
          // The option's index is no voltage: "--voltage 2" is refused, not taken as 21 V.
          ->transform(oneOfWords({{"5", "0"}, {"12.5", "1"}, {"21", "2"}, {"25", "3"}}));
    }};

const CommandOption kProtect{
    "--protect", "", false, [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser.add_flag(names, request.protect,
                             "switch the X28C256's data protection on after a\n"
                             "successful program");
    }};

const CommandOption kTruncate{
    "--truncate", "", false, [](CLI::App& parser, const std::string& names, CliRequest& request) {
      return parser.add_flag(names, request.truncate,
                             "program a file longer than the device as far as the\n"
                             "device reaches; without it such a file is refused");
    }};

}  // namespace command_option

const std::vector<const CommandOption*>& allCommandOptions() {
  using namespace command_option;
  static const std::vector<const CommandOption*> kAll{
      &kDevice, &kInput, &kOutput,     &kPage,        &kData,    &kSpeed,   &kLane,
      &kFormat, &kMax,   &kBlankCheck, &kVerifyAfter, &kVoltage, &kProtect, &kReads,
      &kTruncate};
  return kAll;
}

}  // namespace burnlab
