// burnlab-cli's command line: what it understands, and every usage error it settles before the
// port is touched.
#include "cli/cli_command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "support/catalogue_rows.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

struct Read {
  std::optional<int> status;  // nothing: the command runs
  CliCommandLine line;
  std::string out;
  std::string errors;
  std::string command() const { return line.command ? line.command->name : ""; }
};

Read read(const std::vector<std::string>& arguments) {
  Read result;
  std::ostringstream out, errors;
  result.status = readCliCommandLine(arguments, result.line, out, errors);
  result.out = out.str();
  result.errors = errors.str();
  return result;
}

// A usage error: status 2, and a message that says `what`.
void expectRefused(const std::vector<std::string>& arguments, const std::string& what) {
  const auto result = read(arguments);
  EXPECT_EQ(result.status, 2) << what;
  EXPECT_NE(result.errors.find(what), std::string::npos) << result.errors;
  EXPECT_EQ(result.errors.rfind("burnlab-cli: ", 0), 0u) << result.errors;
  EXPECT_EQ(result.out, "");
}

TEST(CliCommandLine, OptionsMayStandBeforeOrAfterTheCommand) {
  const auto before = read({"-d", "27C256", "--simulate=27C256", "read", "-o", "x.bin"});
  ASSERT_FALSE(before.status) << before.errors;
  EXPECT_EQ(before.command(), "read");
  EXPECT_EQ(before.line.request.deviceRow, rowOf("27C256"));
  EXPECT_EQ(before.line.request.output, "x.bin");
  EXPECT_TRUE(before.line.program.simulate);
  EXPECT_EQ(before.line.program.simSocket, "27C256");

  // The device by its list position.
  const auto position = std::to_string(rowOf("2764"));
  const auto after =
      read({"blank", "--device=" + position, "--simulate", "-q", "--speed", "7", "--lane=HI"});
  ASSERT_FALSE(after.status) << after.errors;
  EXPECT_EQ(after.command(), "blank");
  EXPECT_EQ(after.line.request.deviceRow, rowOf("2764"));
  EXPECT_TRUE(after.line.program.simulate);
  EXPECT_EQ(after.line.program.simSocket, "");
  EXPECT_TRUE(after.line.request.quiet);
  EXPECT_EQ(after.line.request.speed, 7);
  EXPECT_EQ(after.line.request.lane, 1);
}

TEST(CliCommandLine, HelpAndVersionAnswerWithStatusZero) {
  const auto help = read({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* text : {"Commands:", "read", "--sim-port", "--setup", "Exit status",
                           "--simulate[=SOCKET]", "128 + the signal's number"}) {
    EXPECT_NE(help.out.find(text), std::string::npos) << text;
  }
  EXPECT_NE(help.out.substr(0, help.out.find("\n\n")).find("programs and erases"),
            std::string::npos)
      << help.out;
  EXPECT_EQ(read({"help"}).out, help.out);

  // A command's help lists what that command takes, and nothing it does not.
  for (const auto& asked :
       {read({"read", "--help"}), read({"help", "read"}), read({"-h", "read"})}) {
    EXPECT_EQ(asked.status, 0);
    EXPECT_NE(asked.out.find("Usage: burnlab-cli read"), std::string::npos) << asked.out;
    EXPECT_NE(asked.out.find("-o, --output"), std::string::npos);
    EXPECT_EQ(asked.out.find("--input"), std::string::npos);
  }
  for (const char* flag : {"-V", "--version"}) {
    const auto version = read({flag});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("burnlab-cli 1.", 0), 0u) << version.out;
  }
}

TEST(CliCommandLine, UnknownWordsAndOptionsAreUsageErrors) {
  expectRefused({}, "no command given");
  expectRefused({"--simulate"}, "no command given");
  expectRefused({"--simulate", "frobnicate"}, "unknown command 'frobnicate'");
  expectRefused({"--frobnicate", "list"}, "unknown option --frobnicate");
  expectRefused({"list", "--frobnicate=3"}, "unknown option --frobnicate");
  expectRefused({"list", "read"}, "one command at a time");
  expectRefused({"list", "stray"}, "list does not take 'stray'");
  expectRefused({"help", "frobnicate"}, "frobnicate");
}

TEST(CliCommandLine, ACommandRefusesTheOptionsItDoesNotTakeAndAsksForThoseItNeeds) {
  expectRefused({"-d", "2764", "list"}, "list does not take --device");
  expectRefused({"list", "-o", "x.bin"}, "list does not take --output");
  expectRefused({"--simulate", "read", "-o", "x.bin"}, "read needs the device: -d NAME");
  expectRefused({"-d", "2764", "read"}, "read needs the file to write: -o FILE");
  expectRefused({"-d", "2764", "verify"}, "verify needs the image file: -i FILE");
  expectRefused({"show"}, "show needs the image file: -i FILE");
  expectRefused({"blank", "-d"}, "--device");
  // A restored setup slot names the device and the code file.
  EXPECT_FALSE(read({"--setup", "1", "verify"}).status);
  EXPECT_FALSE(read({"--setup=2", "blank"}).status);
  expectRefused({"--setup", "1", "read"}, "read needs the file to write: -o FILE");
}

TEST(CliCommandLine, OptionValuesAreCheckedBeforeAnythingRuns) {
  expectRefused({"-d", "2764", "blank", "--speed", "0"}, "--speed");
  expectRefused({"-d", "2764", "blank", "--speed", "21"}, "--speed");
  // Each value is refused with what it may be, in words, and nothing else stands for them.
  expectRefused({"-d", "2764", "blank", "--lane", "middle"},
                "must be both, hi or low, not 'middle'");
  expectRefused({"-d", "2764", "blank", "--lane", "0"}, "must be both, hi or low, not '0'");
  expectRefused({"-d", "2764", "program", "--voltage", "2"}, "must be 5, 12.5, 21 or 25, not '2'");
  expectRefused({"-d", "2764", "compare", "--max", "-1"},
                "must be a whole number from 0 up, not '-1'");
  expectRefused({"-d", "2764", "blank", "--speed", "fast"}, "must be a whole number from 1 to 20");
  expectRefused({"--sim-access-ns", "-1", "reset"},
                "must be a whole number from 0 to 1000000, not '-1'");
  expectRefused({"-d", "2764", "display", "--page", "-1"}, "--page");
  expectRefused({"-d", "2764", "display", "--page", "x"}, "--page");
  expectRefused({"--setup", "5", "blank"}, "--setup");
  expectRefused({"--port", "300h", "reset"}, "378h, 278h or 3BCh");
  expectRefused({"--sim-model", "7", "reset"}, "4, 5 or 6");
  // What -d says of each name it finds no device for is checked in DeviceNames.
  expectRefused({"-d", "Eprom 9999", "blank"}, "no device 'Eprom 9999'");
}

TEST(CliCommandLine, FilesThatCannotBeUsedAreRefusedBeforeTheChipIsRead) {
  TempFolder folder;
  expectRefused({"-d", "2764", "read", "-o", "/nonexistent/dir/x.bin"},
                "the folder /nonexistent/dir does not exist");
  expectRefused({"-d", "2764", "read", "-o", folder.path().string()}, "is a folder");
  expectRefused({"-d", "2764", "verify", "-i", (folder.path() / "missing.bin").string()},
                "No such file or directory");
  expectRefused({"show", "-i", folder.path().string()}, "is a folder");
  // A FIFO, or a link to one, is no file to write a chip into.
  const auto fifo = folder.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink(fifo, folder.path() / "link");
  expectRefused({"-d", "2764", "read", "-o", fifo.string()}, "it is a FIFO, not a regular file");
  expectRefused({"-d", "2764", "read", "-o", (folder.path() / "link").string()},
                "it is a FIFO, not a regular file");
  // A file that does not exist yet in a folder that does is fine to write.
  EXPECT_FALSE(read({"-d", "2764", "read", "-o", (folder.path() / "new.bin").string()}).status);
}

TEST(CliCommandLine, ListAndSimEraseRunWithoutStartUpAndEveryOtherCommandAfterIt) {
  const auto list = read({"list"});
  ASSERT_FALSE(list.status);
  EXPECT_FALSE(list.line.command->startsUp);
  for (const auto& command : cliCommands()) {
    EXPECT_EQ(command.startsUp, command.name != "list" && command.name != "sim-erase")
        << command.name;
  }
}

}  // namespace
}  // namespace burnlab::testing
