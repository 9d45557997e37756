#include "launch/program_options.h"

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

#include "launch/option_values.h"
#include "util/text.h"

namespace burnlab {
namespace {

// A port option's value: one of the three parallel-port bases, written as the window shows it.
CLI::Validator portName() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (parsePortName(text)) return "";
        return "must be 378h, 278h or 3BCh, not '" + text + "'";
      },
      "");
}

std::uint16_t portOf(const std::string& text) {
  return parsePortName(text).value_or(0);
}

CLI::Validator modelNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (text == "4" || text == "5" || text == "6") return "";
        return "must be 4, 5 or 6, not '" + text + "'";
      },
      "");
}

constexpr const char* kBoardGroup = "The board and the simulator";

// A busy-wait iteration's time: nanoseconds, fractions allowed.
CLI::Validator loopNanoseconds() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        double value = 0;
        const auto* end = text.data() + text.size();
        const auto [stop, problem] = std::from_chars(text.data(), end, value);
        if (!text.empty() && problem == std::errc() && stop == end && value >= 0 && value <= 1e6) {
          return "";
        }
        return "must be nanoseconds from 0 to 1000000, not '" + text + "'";
      },
      "");
}

// Why no trace can be written to `file`, told before anything starts. A device (/dev/stdout)
// takes a trace as a file does, and so does a FIFO that a program reads; one that none reads
// would hold the program in its open for ever.
std::string whyTraceCannotBeWritten(const std::filesystem::path& file) {
  if (file.empty()) return "the file name is empty";
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::directory) return file.string() + " is a folder";
  if (status.type() == std::filesystem::file_type::fifo) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return file.string() + " is a FIFO that no program reads";
    ::close(fd);
    return "";
  }
  if (std::filesystem::exists(status)) return "";
  const auto folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
  if (!std::filesystem::is_directory(folder, error)) {
    return "the folder " + folder.string() + " does not exist";
  }
  return "";
}

// A board's port: 378h, 278h or 3BCh, handed to `choose` as its base address.
void addPortOption(CLI::App& parser, const std::string& name,
                   std::function<void(std::uint16_t)> choose, const std::string& help) {
  parser
      .add_option_function<std::string>(
          name, [choose](const std::string& port) { choose(portOf(port)); }, help)
      ->check(portName())
      ->type_name("378h|278h|3BCh")
      ->group(kBoardGroup);
}

// A board's model: 4, 5 or 6.
void addModelOption(CLI::App& parser, const std::string& name, std::function<void(int)> choose,
                    const std::string& help) {
  parser.add_option_function<int>(name, std::move(choose), help)
      ->check(modelNumber())
      ->type_name("4|5|6")
      ->group(kBoardGroup);
}

}  // namespace

void addProgramOptions(CLI::App& parser, ProgramOptions& options) {
  // A socket is given after an equals sign only, so that the word after --simulate stays the
  // command or option it is.
  auto* simulate = parser
                       .add_flag("--simulate{}", options.simSocket,
                                 "run on the simulated board; SOCKET is empty (the\n"
                                 "default), none (no board on any port) or\n"
                                 "CHIP[,FAULT...][:IMAGE], e.g. 27C256:image.bin,\n"
                                 "24C16, X28C256,locked")
                       ->type_name("[=SOCKET]")
                       ->group(kBoardGroup);
  parser.parse_complete_callback([&options, simulate] {
    options.simulate = options.simulate || simulate->count() > 0;
    // A real board's pulses and pauses must last their time: only a rehearsal skips them.
    if (options.simNoWait && !options.simulate) {
      throw CLI::ValidationError(
          "--sim-no-wait",
          "needs --simulate: on a real board every pulse and pause lasts its time");
    }
  });
  addModelOption(parser, "--sim-model", [&options](int model) { options.simModel = model; },
                 "model of the simulated board (default 6)");
  addPortOption(parser, "--sim-port", [&options](std::uint16_t base) { options.simPort = base; },
                "port the simulated board sits on (default 378h)");
  addPortOption(parser, "--port", [&options](std::uint16_t base) { options.port = base; },
                "choose the port, as the LPT Port Selection does");
  addModelOption(parser, "--model", [&options](int model) { options.model = model; },
                 "force the board model, as the Setup menu does");
  parser
      .add_option("--sim-access-ns", options.simAccessNs,
                  "simulated time of one port access (default 1000)")
      ->type_name("N")
      ->check(wholeNumber(0, 1'000'000))
      ->group(kBoardGroup);
  parser
      .add_option_function<std::string>(
          "--sim-loop-ns", [&options](const std::string& ns) { options.simLoopNs = std::stod(ns); },
          "simulated time of one busy-wait iteration (default:\nmeasured on this PC at start-up)")
      ->check(loopNanoseconds())
      ->type_name("X")
      ->group(kBoardGroup);
  parser
      .add_flag("--sim-no-wait", options.simNoWait,
                "do not really wait out sleeps and program pulses;\n"
                "the simulated clock still advances (only with\n--simulate)")
      ->group(kBoardGroup);
  parser
      .add_option("--sim-seed", options.simSeed,
                  "draws the simulated EPROM cells' programming times\n(default 1)")
      ->type_name("N")
      ->check(wholeNumber(0))
      ->group(kBoardGroup);
  parser
      .add_option("--sim-board", options.simBoard,
                  "faults of the simulated board, comma-separated:\n"
                  "stuck0=Dn, stuck1=Dn, short=Da:Db, open=Sn (n 3..7),\n"
                  "noselect, noid, flaky=N")
      ->type_name("FAULT[,FAULT...]")
      ->group(kBoardGroup);
  parser
      .add_option("--sim-chip", options.simChipFile,
                  "keep the simulated chip in FILE between runs: it\n"
                  "starts with FILE's contents and they go back to it")
      ->type_name("FILE")
      ->group(kBoardGroup);
  parser.add_option("--parport", options.parportDevice, "use this ppdev device node")
      ->type_name("/dev/parportN")
      ->group(kBoardGroup);
  parser
      .add_flag("--direct", options.direct,
                "direct port I/O (ioperm, needs root) instead of\nppdev")
      ->group(kBoardGroup);
  parser.add_option("--trace", options.traceFile, "write every port access to FILE")
      ->type_name("FILE")
      ->check(CLI::Validator(
          [](std::string& file) {
            const auto why = whyTraceCannotBeWritten(file);
            return why.empty() ? why : "the trace file cannot be written: " + why;
          },
          ""))
      ->group(kBoardGroup);
}

ParsedOptions parseProgramOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  CLI::App parser;
  addProgramOptions(parser, parsed.options);
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    parser.parse(reversed);
  } catch (const CLI::ParseError& error) {
    parsed.error = error.what();
  }
  return parsed;
}

std::optional<std::uint16_t> parsePortName(const std::string& text) {
  static const std::map<std::string, std::uint16_t> kNames{{"278h", 0x278},  {"378h", 0x378},
                                                           {"3bch", 0x3BC},  {"0x278", 0x278},
                                                           {"0x378", 0x378}, {"0x3bc", 0x3BC}};
  const auto found = kNames.find(lowerCase(text));
  if (found == kNames.end()) return std::nullopt;
  return found->second;
}

}  // namespace burnlab
