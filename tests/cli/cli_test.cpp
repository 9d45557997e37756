// burnlab-cli run as a program: exit codes, messages and the port trace it leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <vector>

#include "support/catalogue_rows.h"
#include "support/cli_run.h"
#include "support/recording_port.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

// The last `count` lines of the trace of a reset of the simulated board with `options`.
std::vector<std::string> resetTrace(const std::string& options, std::size_t count) {
  TempFolder folder;
  const auto trace = folder.path() / "t.txt";
  expectCli("--simulate " + options + " --trace " + trace.string() + " reset", 0);
  return tail(lines(trace), count);
}

TEST(Cli, ResetOnTheSimulatedBoardEndsTheTraceWithTheResetSequence) {
  EXPECT_EQ(resetTrace("", 16),
            (std::vector<std::string>{"out 0378 40", "out 037A 05", "out 037A 04", "out 037A 05",
                                      "out 0378 00", "out 037A 0D", "out 037A 0C", "out 037A 0D",
                                      "out 0378 00", "out 037A 07", "out 037A 06", "out 037A 07",
                                      "out 0378 C4", "out 037A 0F", "out 037A 0E", "out 037A 0F"}));
}

TEST(Cli, TheOperatorsPortAndModelChooseTheRegistersAndControlValues) {
  EXPECT_EQ(resetTrace("--port 278h --model 4", 4),
            (std::vector<std::string>{"out 0278 C4", "out 027A 00", "out 027A 01", "out 027A 00"}));
}

TEST(Cli, BadUsageExitsWithStatusTwoAndSaysWhy) {
  expectCli("--port 999h reset", 2);
  expectCli("--simulate frobnicate", 2, {"unknown command"});
  // A real board's pulses must last their width: not waiting is for the simulated board only.
  expectCli("--sim-no-wait detect", 2, {"--sim-no-wait: needs --simulate"});
}

TEST(Cli, WithoutHardwareItStillRunsAndExplainsWhy) {
  if (std::filesystem::exists("/proc/sys/dev/parport")) GTEST_SKIP() << "this machine has ports";
  expectCli("reset", 0);
}

TEST(Cli, AnUnwritableTraceFileIsRefused) {
  expectCli("--simulate --trace /nonexistent/dir/t.txt reset", 2, {"trace file"});  // bad input
  // A trace that could not be written whole (a full disk) fails a run that did its work.
  expectCli("--simulate --trace /dev/full reset", 2,
            {"the trace file /dev/full could not be written: No space left"});
}

TEST(CliDetect, FindsTheSimulatedBoardAndPrintsTheFoundLine) {
  expectCli("--simulate --sim-model 5 --sim-port 278h detect", 0,
            {">  BURNLAB-5 Device was FOUND at Port: 278\n", "Port 378 Not Responding"});
}

TEST(CliDetect, WithNoBoardOnAnyPortExitsWithStatusThree) {
  const auto run =
      expectCli("--simulate=none detect", 3,
                {"Port 278 Not Responding", "Port 378 Not Responding", "Port 3BC Not Responding"});
  EXPECT_FALSE(printed(run, "FOUND")) << run.output();
}

TEST(CliDetect, AFileNamingABoardThatIsNotThereIsNoBoard) {
  TempFolder state;
  const auto folder = state.path() / "burnlab" / "simulated";
  std::filesystem::create_directories(folder);
  const std::string file = "[BURNLAB6 SETUP]\r\nIO_PORT = 378\r\nMODEL =  6 \r\n";
  writeAll(folder / "burnlab6.ini", file);
  const auto blank = expectCli("--simulate=none -d \"Eprom 27C256\" blank", 3, {}, state.path());
  EXPECT_FALSE(printed(blank, "IS BLANK")) << blank.output();
  expectCli("--simulate=none -d 27C256 read -o " + (state.path() / "x.bin").string(), 3, {},
            state.path());
  EXPECT_EQ(readAll(folder / "burnlab6.ini"), file);  // kept for next time
}

TEST(CliDetect, ASimulatedRunKeepsItsOwnFileAndTheNextStartTakesThePortFromIt) {
  TempFolder state;
  const auto trace = state.path() / "t.txt";
  const auto options = "--simulate --sim-model 4 --sim-port 3BCh --trace " + trace.string();
  ASSERT_EQ(runCli(options + " reset", state.path()).status, 0);
  EXPECT_TRUE(std::ranges::any_of(lines(trace), [](const auto& line) {
    return line.starts_with("in ");  // the status register read
  }));
  const auto file = state.path() / "burnlab" / "simulated" / "burnlab6.ini";
  const auto contents = readAll(file);
  EXPECT_NE(contents.find("\r\nIO_PORT = 3BC\r\nMODEL =  4 \r\n"), std::string::npos) << contents;

  // The next start probes the file's port alone, to make sure the board is still there.
  ASSERT_EQ(runCli(options + " reset", state.path()).status, 0);
  EXPECT_EQ(portsRead(lines(trace)), (std::set<std::string>{"03BD"}));
}

// The line the list command prints for `part`'s row: its list position, then `text`.
std::string listLine(std::string_view part, const std::string& text) {
  return std::to_string(rowOf(part)) + " " + text;
}

// A name -d finds no device for is refused in DeviceNames and CliCommandLine.OptionValues...
TEST(CliDevices, ListShowsEveryEntryWithItsPositionAndSelectPrintsTheSelection) {
  const auto list =
      expectCli("--simulate -q list", 0,
                {listLine("2716", "N/A - Eprom 2716"), "\n" + listLine("27C256", "Eprom 27C256")});
  EXPECT_EQ(std::ranges::count(list.output(), '\n'), 39);
  // The pulse the window shows beside the slider: the datasheet's at the default, 1 us at 20.
  expectCli("--simulate -d \"EPROM 27c256\" select", 0,
            {">  Device Eprom 27C256 was Selected\n", "Device Size is: 32768 Bytes",
             "\nPulse 101 \u00b5s\n"});
  // The chip's name alone chooses the device.
  expectCli("--simulate -d 27C256 select --speed 20", 0,
            {"Device Eprom 27C256 was Selected", "Program Speed Slider set to: 20",
             "\nPulse 1 \u00b5s\n"});
}

// A chip that holds the image reads back byte for byte and verifies in CliSimChip's script.
TEST(CliDevices, AVerifyOfAChipThatDiffersInOneByteReportsItAndExitsWithOne) {
  TempFolder folder;
  const auto image = folder.file("some.bin", varyingBytes(32768, 7));
  expectCli("--simulate=27C256,set@1234=00:" + image.string() + " -d \"Eprom 27C256\" verify -i " +
                image.string(),
            1, {"Address: 1234 ][ Buffer Data: "});
}

TEST(CliDevices, ExitStatusesTellFailureBadInputAndNoBoardApart) {
  TempFolder folder;
  const auto image = folder.file("img.bin", varyingBytes(8192, 1));
  const std::string noWait = "--sim-no-wait --simulate";
  expectCli(noWait + "=2764 -d 2764 blank", 0);
  expectCli(noWait + "=2764:" + image.string() + " -d 2764 blank", 1);
  expectCli(noWait + "=2764 -d 2764 verify -i " + (folder.path() / "missing").string(), 2);
  expectCli(noWait + "=none -d 2764 blank", 3);
  expectCli(noWait + "=24C08 -d 24C08 read -o " + (folder.path() / "e.bin").string(), 0);
  expectCli(noWait + " -d 24C08 read -o " + (folder.path() / "x").string(), 1);
  expectCli(noWait + "=27C999 -d 2764 blank", 2);
}

// The seconds of the simulated command in the summary line, or -1 when there is none.
double commandSeconds(const std::string& output) {
  const auto at = output.find("Simulated board: command ");
  if (at == std::string::npos) return -1;
  const auto value = std::stod(output.substr(at + 25));
  return output.find(" ms,", at) < output.find(" s,", at) ? value / 1000 : value;
}

TEST(CliSimulation, EveryCommandEndsWithWhatTheSimulatedBoardSaw) {
  TempFolder folder;
  const auto image = folder.file("img.bin", varyingBytes(32768, 5));
  const std::string read = "--simulate=27C256:" + image.string() +
                           " --sim-loop-ns 1 --sim-no-wait -d \"Eprom 27C256\" read -o " +
                           (folder.path() / "out.bin").string();
  const auto run = expectCli(read, 0);
  const auto line = run.output().rfind("Simulated board: command ");
  ASSERT_NE(line, std::string::npos) << run.output();
  EXPECT_NE(run.output().find("port accesses; no bus contention; no events\n", line),
            std::string::npos)
      << run.output().substr(line);
  EXPECT_EQ(run.output().find('\n', line), run.output().size() - 1) << "the last line";

  // The command's time is its accesses at the access time plus its half-second settle.
  const double oneMicrosecond = commandSeconds(run.output());
  const double twoMicroseconds = commandSeconds(runCli("--sim-access-ns 2000 " + read).output());
  EXPECT_GT(oneMicrosecond, 0.5 + 32768 * 8e-6);
  EXPECT_LT(oneMicrosecond, 0.5 + 32768 * 10e-6);
  EXPECT_NEAR(twoMicroseconds - oneMicrosecond, oneMicrosecond - 0.5, 0.01);

  EXPECT_FALSE(printed(runCli("-q " + read), "Simulated board"));
  expectCli("--simulate --sim-loop-ns 1 reset", 0, {"Simulated board: command "});
  EXPECT_FALSE(printed(runCli("--simulate list"), "Simulated board"))
      << "a command without start-up has no board at all";
  expectCli("--simulate --sim-loop-ns x reset", 2);
}

TEST(CliDevices, DisplayPrintsTheLivePage) {
  TempFolder folder;
  const auto image = folder.file("img.bin", varyingBytes(8192, 3));
  expectCli("--simulate=2764:" + image.string() + " -q -d 2764 display --page 2", 0,
            {"\r\n000200| "});
}

// A setup slot file's line that chooses `part`'s row: the file keeps its list position.
std::string deviceLine(std::string_view part) {
  return "\r\nDevice.Index = " + std::to_string(rowOf(part)) + "\r\n";
}

// The CLI runs in `folder` while it lives: the setup slots are looked for there.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~InFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(CliFiles, AFifoGivenAsInputIsRefusedAtOnce) {
  TempFolder folder;
  const auto fifo = (folder.path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  expectCli("--simulate show -i " + fifo, 2, {"Not a regular file"});
  expectCli("--simulate=2764 -d 2764 verify -i " + fifo, 2);
  expectCli("--simulate=27C256:" + fifo + " -d 27C256 blank", 2);

  // A setup slot that names the FIFO as its code file, and a slot file that is a FIFO.
  folder.file("BLSetup1.INI", "SetupName = Pipe\r\nsFILE = " + fifo + deviceLine("2764"));
  ASSERT_EQ(::mkfifo((folder.path() / "BLSetup2.INI").c_str(), 0600), 0);
  const InFolder inFolder(folder.path());
  expectCli("--simulate --setup 1 blank", 2);
  expectCli("--simulate --setup 2 blank", 2);
}

// A FIFO given as the file to write is refused in CliCommandLine.FilesThatCannotBeUsed...
TEST(CliFiles, ReadWritesThroughALinkAndKeepsThePermissions) {
  TempFolder folder;
  const auto bytes = varyingBytes(8192, 9);
  const auto image = folder.file("chip.bin", bytes);
  const std::string read = "--simulate=2764:" + image.string() + " -d 2764 read -o ";

  const auto target = folder.path() / "target.bin";
  writeAll(target, "old");
  ::chmod(target.c_str(), 0600);
  std::filesystem::create_symlink(target, folder.path() / "link.bin");
  expectCli(read + (folder.path() / "link.bin").string(), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link.bin"));
  EXPECT_EQ(readAll(target), bytes);
  struct stat status {};
  ASSERT_EQ(::stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
}

TEST(CliSetup, ASlotChoosesTheDeviceAndTheCodeFileTheCommandWorksWith) {
  TempFolder folder;
  const auto image = folder.file("chip.bin", varyingBytes(32768, 5));
  folder.file("BLSetup1.INI", "SetupName = Bench\r\nsFILE = " + image.string() +
                                  deviceLine("27C256") + "LPTSelection(0).Value = True\r\n");
  const InFolder inFolder(folder.path());
  const std::string socket = "--simulate=27C256:" + image.string() + " ";

  expectCli(socket + "--setup 1 verify", 0,
            {"RESTORING SETUP FROM BLSetup1.INI", "Device Contents MATCHES with Buffer Contents"});
  // The command line's own device overrides the slot's.
  expectCli(socket + "--setup 1 -d 2764 select", 0, {"Device Eprom 2764 was Selected"});
}

TEST(CliDevices, ACommandThatWouldDoNothingIsRefusedWithItsReason) {
  // A setup slot that leaves both Code and Data unticked (the serial EEPROMs' missing blank
  // check and live display are refused in CliBeforeThePort's table).
  TempFolder folder;
  folder.file("BLSetup1.INI", "SetupName = Idle" + deviceLine("2764") +
                                  "CheckCode.Value = 0\r\nCheckData.Value = 0\r\n");
  const InFolder inFolder(folder.path());
  for (const std::string command : {"blank", "display", "read -o out.bin"}) {
    expectCli("--simulate=2764 --setup 1 " + command, 2, {"Code is not ticked"});
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "out.bin"));
}

// An unknown slot number is refused in CliCommandLine.OptionValuesAreChecked...
TEST(CliSetup, AMissingSlotIsBadInput) {
  TempFolder folder;
  const InFolder inFolder(folder.path());
  expectCli("--simulate --setup 2 blank", 2, {"Can't Read Setup File BLSetup2.INI"});
}

// A command line the CLI refuses, or one that needs no start-up, leaves the port untouched:
// the trace file is never even made, and no burnlab6.ini is written.
TEST(CliBeforeThePort, UsageErrorsAndTheListTouchNeitherThePortNorTheConfigurationFile) {
  TempFolder state;
  const auto trace = state.path() / "t.txt";
  const auto options = "--simulate=27C256 --trace " + trace.string() + " ";
  for (const std::string arguments :
       {"frobnicate", "read -d 27C256", "-d 27C256 read -o /nonexistent/dir/x.bin", "blank",
        "-d 27C9 blank"}) {
    expectCli(options + arguments, 2, {}, state.path());
    EXPECT_FALSE(std::filesystem::exists(trace)) << arguments;
  }
  expectCli(options + "help", 0, {}, state.path());
  expectCli(options + "read --help", 0, {}, state.path());
  expectCli(options + "list", 0, {"\n" + listLine("27C256", "Eprom 27C256")}, state.path());
  EXPECT_FALSE(std::filesystem::exists(trace));
  EXPECT_FALSE(std::filesystem::exists(state.path() / "burnlab"));
}

// Command lines that cannot work are refused before start-up with the reason: the simulated
// board sees no access (its summary, where there is one, counts none) and no trace is made.
TEST(CliBeforeThePort, CommandLinesThatCannotWorkAreRefusedWithoutAPortAccess) {
  TempFolder state;
  const auto trace = state.path() / "t.txt";
  const auto fifo = state.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto image = state.file("img.bin", varyingBytes(32768, 1));
  const auto options = "--simulate=27C256 --sim-loop-ns 1 --trace " + trace.string() + " ";
  const std::vector<std::pair<std::string, std::string>> refusals{
      {"-d 27C256 --yes erase", "Eprom 27C256 has no Erase Chip"},
      {"-d 27C256 flash-id", "there is no flash identification routine for Eprom 27C256"},
      {"-d 27C256 display --page 9999", "page 9999 is beyond the last page 127 of Eprom 27C256"},
      {"-d 24C16 display", "there is no display routine for Eeprom 24C16"},
      {"-d 24C08 blank", "there is no blank check routine for Eeprom 24C08 Serial"},
      {"-d 24C08 --yes --protect program -i " + image.string(), "--protect is for the X28C256"},
      {"-d 27C256 --yes --voltage 21 program -i " + image.string(),
       "Eprom 27C256 does not take the 21V programming voltage"},
      {"sum", "sum needs the image file: -i FILE, or the device: -d NAME"},
      {"--setup 1 list", "list does not take --setup"},
      {"-d 24C16 erase", "erase destroys what the chip holds: it runs only with --yes"},
      {"-d 27C256 read -o ''", "the file name is empty"},
  };
  for (const auto& [arguments, reason] : refusals) {
    const auto run = expectCli(options + arguments, 2, {"burnlab-cli: ", reason}, state.path());
    const auto summary = run.output().find("Simulated board: ");
    if (summary != std::string::npos) {
      EXPECT_NE(run.output().find("; 0 port accesses;", summary), std::string::npos)
          << run.output();
    }
    EXPECT_FALSE(std::filesystem::exists(trace)) << arguments;
  }
  // A trace file that would hold the program up or could not be written.
  for (const auto& unusable : {fifo, state.path()}) {
    expectCli("--simulate --trace " + unusable.string() + " reset", 2,
              {"the trace file cannot be written"}, state.path());
  }
  expectCli("--simulate --trace '' reset", 2, {}, state.path());
}

TEST(CliFlash, AnUntestedFlashIsIdentifiedAndErasedOnlyWithTheOptIn) {
  expectCli("--simulate=AM29F040 --allow-untested -d \"Flash AMD AM29F040\" flash-id", 0,
            {"Device Flash AMD AM29F040 is untested on real hardware",
             "Device ID# 01A4 - AMD am29F040 Flash Memory"});
  expectCli(
      "--simulate=AT29C256 --sim-loop-ns 1 --sim-no-wait --allow-untested -d AT29C256 --yes erase",
      0, {"FLASH Atmel AT29C256 Erased"});

  TempFolder folder;
  const auto image = folder.file("img.bin", varyingBytes(4096, 3));
  expectCli(
      "--simulate=A29040 --sim-loop-ns 1 --sim-no-wait --allow-untested -d A29040 program -i " +
          image.string() + " --verify --yes",
      0, {"Device Contents MATCHES with Buffer Contents"});
  // The EN29F040 gives its codes after a continuation code; its earlier revision answers at
  // 5555h/2AAAh.
  expectCli("--simulate=EN29F040,earlier --allow-untested -d EN29F040 flash-id", 0,
            {"Device ID# 1C04 - EON EN29F040 Flash Memory"});
  // A socket without that flash answers with no code at all (an EPROM's identification is
  // refused in CliBeforeThePort's table).
  expectCli("--simulate --allow-untested -d AM29F040 flash-id", 1,
            {"Device ID# FFFF -  Not Valid!!!"});
  // An empty socket gives no maker the program takes: nothing is written.
  expectCli("--simulate=empty --allow-untested -d AM29F040 program -i " + image.string() + " --yes",
            1, {"Device ID# FFFF - Not Supported"});
  expectCli("--simulate=AM29F040 -d \"Flash AMD AM29F040\" flash-id", 2,
            {"Flash AMD AM29F040 is not supported by this program (--allow-untested offers it)"});
  expectCli("list", 0, {listLine("AM29F040", "N/A - Flash AMD AM29F040")});
  expectCli("--allow-untested list", 0,
            {"\n" + listLine("AM29F040", "Flash AMD AM29F040"),
             "\n" + listLine("EN29F040", "Flash EON EN29F040")});
}

}  // namespace
}  // namespace burnlab::testing
