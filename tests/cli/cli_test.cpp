// burnlab-cli run as a program: exit codes, messages and the port trace it leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

#include "support/cli_run.h"
#include "support/recording_port.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

TEST(Cli, ResetOnTheSimulatedBoardEndsTheTraceWithTheResetSequence) {
  TempFolder folder;
  const auto trace = folder.path() / "t.txt";
  const auto run = runCli("--simulate --trace " + trace.string() + " reset");
  ASSERT_EQ(run.status, 0) << run.output();
  EXPECT_EQ(tail(lines(trace), 16),
            (std::vector<std::string>{"out 0378 40", "out 037A 05", "out 037A 04", "out 037A 05",
                                      "out 0378 00", "out 037A 0D", "out 037A 0C", "out 037A 0D",
                                      "out 0378 00", "out 037A 07", "out 037A 06", "out 037A 07",
                                      "out 0378 C4", "out 037A 0F", "out 037A 0E", "out 037A 0F"}));
}

TEST(Cli, TheOperatorsPortAndModelChooseTheRegistersAndControlValues) {
  TempFolder folder;
  const auto trace = folder.path() / "t.txt";
  const auto run = runCli("--simulate --port 278h --model 4 --trace " + trace.string() + " reset");
  ASSERT_EQ(run.status, 0) << run.output();
  EXPECT_EQ(tail(lines(trace), 4),
            (std::vector<std::string>{"out 0278 C4", "out 027A 00", "out 027A 01", "out 027A 00"}));
}

TEST(Cli, BadUsageExitsWithStatusTwoAndSaysWhy) {
  EXPECT_EQ(runCli("--port 999h reset").status, 2);
  const auto unknown = runCli("--simulate frobnicate");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.output().find("unknown command"), std::string::npos);
  // A real board's pulses must last their width: not waiting is for the simulated board only.
  const auto noWait = runCli("--sim-no-wait detect");
  EXPECT_EQ(noWait.status, 2);
  EXPECT_NE(noWait.output().find("--sim-no-wait: needs --simulate"), std::string::npos)
      << noWait.output();
  const auto help = runCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output().find("reset"), std::string::npos);
  EXPECT_NE(help.output().find("--sim-port"), std::string::npos);
}

TEST(Cli, WithoutHardwareItStillRunsAndExplainsWhy) {
  if (std::filesystem::exists("/proc/sys/dev/parport")) GTEST_SKIP() << "this machine has ports";
  const auto run = runCli("reset");
  EXPECT_EQ(run.status, 0) << run.output();
}

TEST(Cli, AnUnwritableTraceFileIsRefused) {
  const auto run = runCli("--simulate --trace /nonexistent/dir/t.txt reset");
  EXPECT_EQ(run.status, 2);  // bad input
  EXPECT_NE(run.output().find("trace file"), std::string::npos);

  // A trace that could not be written whole (a full disk) fails a run that did its work.
  const auto full = runCli("--simulate --trace /dev/full reset");
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.output().find("the trace file /dev/full could not be written: No space left"),
            std::string::npos)
      << full.output();
}

}  // namespace
}  // namespace burnlab::testing

namespace burnlab::testing {
namespace {

bool hasStatusRead(const std::vector<std::string>& trace) {
  for (const auto& line : trace) {
    if (line.rfind("in ", 0) == 0) return true;
  }
  return false;
}

TEST(CliDetect, FindsTheSimulatedBoardAndPrintsTheFoundLine) {
  const auto run = runCli("--simulate --sim-model 5 --sim-port 278h detect");
  EXPECT_EQ(run.status, 0) << run.output();
  EXPECT_NE(run.output().find(">  BURNLAB-5 Device was FOUND at Port: 278\n"), std::string::npos)
      << run.output();
  EXPECT_NE(run.output().find("Port 378 Not Responding"), std::string::npos) << run.output();
}

TEST(CliDetect, WithNoBoardOnAnyPortExitsWithStatusThree) {
  const auto run = runCli("--simulate=none detect");
  EXPECT_EQ(run.status, 3) << run.output();
  for (const char* port : {"278", "378", "3BC"}) {
    EXPECT_NE(run.output().find(std::string("Port ") + port + " Not Responding"), std::string::npos)
        << run.output();
  }
  EXPECT_EQ(run.output().find("FOUND"), std::string::npos) << run.output();
}

TEST(CliDetect, AFileNamingABoardThatIsNotThereIsNoBoard) {
  TempFolder state;
  const auto folder = state.path() / "burnlab" / "simulated";
  std::filesystem::create_directories(folder);
  const std::string file = "[BURNLAB6 SETUP]\r\nIO_PORT = 378\r\nMODEL =  6 \r\n";
  std::ofstream(folder / "burnlab6.ini", std::ios::binary) << file;
  const auto blank = runCli("--simulate=none -d \"Eprom 27C256\" blank", state.path());
  EXPECT_EQ(blank.status, 3) << blank.output();
  EXPECT_EQ(blank.output().find("IS BLANK"), std::string::npos) << blank.output();
  EXPECT_EQ(
      runCli("--simulate=none -d 10 read -o " + (state.path() / "x.bin").string(), state.path())
          .status,
      3);
  std::ifstream in(folder / "burnlab6.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), file);  // kept for next time
}

TEST(CliDetect, ASimulatedRunKeepsItsOwnFileAndTheNextStartTakesThePortFromIt) {
  TempFolder state;
  const auto trace = state.path() / "t.txt";
  const auto options = "--simulate --sim-model 4 --sim-port 3BCh --trace " + trace.string();
  ASSERT_EQ(runCli(options + " reset", state.path()).status, 0);
  EXPECT_TRUE(hasStatusRead(lines(trace)));
  const auto file = state.path() / "burnlab" / "simulated" / "burnlab6.ini";
  std::ifstream in(file, std::ios::binary);
  const std::string contents((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  EXPECT_NE(contents.find("\r\nIO_PORT = 3BC\r\nMODEL =  4 \r\n"), std::string::npos) << contents;

  // The next start probes the file's port alone, to make sure the board is still there.
  ASSERT_EQ(runCli(options + " reset", state.path()).status, 0);
  EXPECT_EQ(portsRead(lines(trace)), (std::set<std::string>{"03BD"}));
}

}  // namespace
}  // namespace burnlab::testing

namespace burnlab::testing {
namespace {

TEST(CliDevices, ListShowsEveryEntryWithItsPositionAndSelectPrintsTheSelection) {
  const auto list = runCli("--simulate -q list");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(std::ranges::count(list.output(), '\n'), 39);
  EXPECT_NE(list.output().find("0 N/A - Eprom 2716"), std::string::npos);
  EXPECT_NE(list.output().find("\n10 Eprom 27C256"), std::string::npos);

  const auto select = runCli("--simulate -d \"EPROM 27c256\" select");
  EXPECT_EQ(select.status, 0);
  EXPECT_NE(select.output().find(">  Device Eprom 27C256 was Selected\n"), std::string::npos);
  EXPECT_NE(select.output().find("Device Size is: 32768 Bytes"), std::string::npos);
  // The pulse the window shows beside the slider: the datasheet's at the default, 1 us at 20.
  EXPECT_NE(select.output().find("\nPulse 101 \u00b5s\n"), std::string::npos) << select.output();
  const auto fastest = runCli("--simulate -d 27C256 select --speed 20");
  EXPECT_NE(fastest.output().find("Program Speed Slider set to: 20"), std::string::npos);
  EXPECT_NE(fastest.output().find("\nPulse 1 \u00b5s\n"), std::string::npos) << fastest.output();

  const auto unsupported = runCli("--simulate -d 21 select");
  EXPECT_EQ(unsupported.status, 2);
  EXPECT_NE(unsupported.output().find("not supported"), std::string::npos);
  EXPECT_EQ(runCli("--simulate -d \"Eprom 9999\" select").status, 2);
}

TEST(CliDevices, ReadThenVerifyOfTheSameSimulatedChipSucceeds) {
  TempFolder folder;
  const auto image = folder.path() / "some.bin";
  const auto bytes = writeImage(image, 32768, 7);
  const auto out = folder.path() / "out.bin";
  const std::string socket =
      "--simulate=27C256:" + image.string() + " --sim-no-wait -d \"Eprom 27C256\" ";
  const auto read = runCli(socket + "read -o " + out.string());
  ASSERT_EQ(read.status, 0) << read.output();
  EXPECT_EQ(readAll(out), bytes);
  EXPECT_NE(read.output().find("32768 bytes Read from Device"), std::string::npos);

  const auto verify = runCli(socket + "verify -i " + image.string());
  EXPECT_EQ(verify.status, 0) << verify.output();
  EXPECT_NE(verify.output().find("Device Contents MATCHES with Buffer Contents"),
            std::string::npos);

  // One byte changed in the chip: the mismatch report and exit status 1.
  const auto changed = runCli("--simulate=27C256,set@1234=00:" + image.string() +
                              " -d \"Eprom 27C256\" verify -i " + image.string());
  EXPECT_EQ(changed.status, 1);
  EXPECT_NE(changed.output().find("Address: 1234 ][ Buffer Data: "), std::string::npos)
      << changed.output();
}

TEST(CliDevices, ExitStatusesTellFailureBadInputAndNoBoardApart) {
  TempFolder folder;
  const auto image = folder.path() / "img.bin";
  writeImage(image, 8192, 1);
  EXPECT_EQ(runCli("--sim-no-wait --simulate=2764 -d 5 blank").status, 0);
  EXPECT_EQ(runCli("--sim-no-wait --simulate=2764:" + image.string() + " -d 5 blank").status, 1);
  EXPECT_EQ(
      runCli("--sim-no-wait --simulate=2764 -d 5 verify -i " + (folder.path() / "missing").string())
          .status,
      2);
  EXPECT_EQ(runCli("--sim-no-wait --simulate=none -d 5 blank").status, 3);
  EXPECT_EQ(
      runCli("--sim-no-wait --simulate=24C08 -d 34 read -o " + (folder.path() / "e.bin").string())
          .status,
      0);
  EXPECT_EQ(
      runCli("--sim-no-wait --simulate -d 34 read -o " + (folder.path() / "x").string()).status, 1);
  EXPECT_EQ(runCli("--sim-no-wait --simulate=27C999 -d 5 blank").status, 2);
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
  const auto image = folder.path() / "img.bin";
  writeImage(image, 32768, 5);
  const std::string read = "--simulate=27C256:" + image.string() +
                           " --sim-loop-ns 1 --sim-no-wait -d \"Eprom 27C256\" read -o " +
                           (folder.path() / "out.bin").string();
  const auto run = runCli(read);
  ASSERT_EQ(run.status, 0) << run.output();
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

  EXPECT_EQ(runCli("-q " + read).output().find("Simulated board"), std::string::npos);
  EXPECT_NE(runCli("--simulate --sim-loop-ns 1 reset").output().find("Simulated board: command "),
            std::string::npos);
  EXPECT_EQ(runCli("--simulate list").output().find("Simulated board"), std::string::npos)
      << "a command without start-up has no board at all";
  EXPECT_EQ(runCli("--simulate --sim-loop-ns x reset").status, 2);
}

TEST(CliDevices, DisplayPrintsTheLivePage) {
  TempFolder folder;
  const auto image = folder.path() / "img.bin";
  writeImage(image, 8192, 3);
  const auto display = runCli("--simulate=2764:" + image.string() + " -q -d 5 display --page 2");
  ASSERT_EQ(display.status, 0) << display.output();
  EXPECT_NE(display.output().find("\r\n000200| "), std::string::npos) << display.output();
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
  const auto show = runCli("--simulate show -i " + fifo);
  EXPECT_EQ(show.status, 2) << show.output();
  EXPECT_NE(show.output().find("Not a regular file"), std::string::npos) << show.output();
  EXPECT_EQ(runCli("--simulate=2764 -d 5 verify -i " + fifo).status, 2);
  EXPECT_EQ(runCli("--simulate=27C256:" + fifo + " -d 10 blank").status, 2);

  // A setup slot that names the FIFO as its code file, and a slot file that is a FIFO.
  std::ofstream(folder.path() / "BLSetup1.INI", std::ios::binary)
      << "SetupName = Pipe\r\nsFILE = " << fifo << "\r\nDevice.Index = 5\r\n";
  ASSERT_EQ(::mkfifo((folder.path() / "BLSetup2.INI").c_str(), 0600), 0);
  const InFolder inFolder(folder.path());
  EXPECT_EQ(runCli("--simulate --setup 1 blank").status, 2);
  EXPECT_EQ(runCli("--simulate --setup 2 blank").status, 2);
}

TEST(CliFiles, ReadWritesThroughALinkKeepsPermissionsAndRefusesAFifo) {
  TempFolder folder;
  const auto image = folder.path() / "chip.bin";
  const auto bytes = writeImage(image, 8192, 9);
  const std::string read = "--simulate=2764:" + image.string() + " -d 5 read -o ";

  const auto target = folder.path() / "target.bin";
  std::ofstream(target) << "old";
  ::chmod(target.c_str(), 0600);
  std::filesystem::create_symlink(target, folder.path() / "link.bin");
  ASSERT_EQ(runCli(read + (folder.path() / "link.bin").string()).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link.bin"));
  EXPECT_EQ(readAll(target), bytes);
  struct stat status {};
  ASSERT_EQ(::stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);

  const auto fifo = folder.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto refused = runCli(read + fifo.string());
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.output().find("not a regular file"), std::string::npos) << refused.output();
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(CliSetup, ASlotChoosesTheDeviceAndTheCodeFileTheCommandWorksWith) {
  TempFolder folder;
  const auto image = folder.path() / "chip.bin";
  writeImage(image, 32768, 5);
  std::ofstream(folder.path() / "BLSetup1.INI", std::ios::binary)
      << "SetupName = Bench\r\nsFILE = " << image.string()
      << "\r\nDevice.Index = 10\r\nLPTSelection(0).Value = True\r\n";
  const InFolder inFolder(folder.path());
  const std::string socket = "--simulate=27C256:" + image.string() + " ";

  const auto verify = runCli(socket + "--setup 1 verify");
  EXPECT_EQ(verify.status, 0) << verify.output();
  EXPECT_NE(verify.output().find("RESTORING SETUP FROM BLSetup1.INI"), std::string::npos);
  EXPECT_NE(verify.output().find("Device Contents MATCHES with Buffer Contents"), std::string::npos)
      << verify.output();

  // The command line's own device overrides the slot's.
  const auto select = runCli(socket + "--setup 1 -d 5 select");
  EXPECT_EQ(select.status, 0) << select.output();
  EXPECT_NE(select.output().find("Device Eprom 2764 was Selected"), std::string::npos);
}

TEST(CliDevices, ACommandThatWouldDoNothingIsRefusedWithItsReason) {
  // The serial EEPROMs have no blank check and no live display.
  const auto blank = runCli("--simulate=24C08 -d 34 blank");
  EXPECT_EQ(blank.status, 2) << blank.output();
  EXPECT_NE(blank.output().find("there is no blank check routine for Eeprom 24C08 Serial"),
            std::string::npos)
      << blank.output();
  const auto display = runCli("--simulate=24C08 -d 34 display");
  EXPECT_EQ(display.status, 2) << display.output();
  EXPECT_NE(display.output().find("there is no display routine"), std::string::npos);

  // A setup slot that leaves both Code and Data unticked.
  TempFolder folder;
  std::ofstream(folder.path() / "BLSetup1.INI", std::ios::binary)
      << "SetupName = Idle\r\nDevice.Index = 5\r\nCheckCode.Value = 0\r\n"
         "CheckData.Value = 0\r\n";
  const InFolder inFolder(folder.path());
  for (const std::string command : {"blank", "display", "read -o out.bin"}) {
    const auto run = runCli("--simulate=2764 --setup 1 " + command);
    EXPECT_EQ(run.status, 2) << command << ": " << run.output();
    EXPECT_NE(run.output().find("Code is not ticked"), std::string::npos) << run.output();
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "out.bin"));
}

TEST(CliSetup, AMissingOrUnknownSlotIsBadInput) {
  TempFolder folder;
  const InFolder inFolder(folder.path());
  const auto missing = runCli("--simulate --setup 2 blank");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.output().find("Can't Read Setup File BLSetup2.INI"), std::string::npos)
      << missing.output();
  EXPECT_EQ(runCli("--simulate --setup 5 blank").status, 2);
}

}  // namespace
}  // namespace burnlab::testing

namespace burnlab::testing {
namespace {

// A command line the CLI refuses, or one that needs no start-up, leaves the port untouched:
// the trace file is never even made, and no burnlab6.ini is written.
TEST(CliBeforeThePort, UsageErrorsAndTheListTouchNeitherThePortNorTheConfigurationFile) {
  TempFolder state;
  const auto trace = state.path() / "t.txt";
  const auto options = "--simulate=27C256 --trace " + trace.string() + " ";
  for (const std::string arguments :
       {"frobnicate", "read -d 27C256", "-d 27C256 read -o /nonexistent/dir/x.bin", "blank",
        "-d 27C9 blank"}) {
    const auto run = runCli(options + arguments, state.path());
    EXPECT_EQ(run.status, 2) << arguments << ": " << run.output();
    EXPECT_FALSE(std::filesystem::exists(trace)) << arguments;
  }
  EXPECT_EQ(runCli(options + "help", state.path()).status, 0);
  EXPECT_EQ(runCli(options + "read --help", state.path()).status, 0);
  EXPECT_FALSE(std::filesystem::exists(trace));
  const auto list = runCli(options + "list", state.path());
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.output().find("\n10 Eprom 27C256"), std::string::npos);
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
  const auto image = state.path() / "img.bin";
  writeImage(image, 32768, 1);
  const auto options = "--simulate=27C256 --sim-loop-ns 1 --trace " + trace.string() + " ";
  const std::vector<std::pair<std::string, std::string>> refusals{
      {"-d 27C256 --yes erase", "Eprom 27C256 has no Erase Chip"},
      {"-d 27C256 flash-id", "there is no flash identification routine for Eprom 27C256"},
      {"-d 27C256 display --page 9999", "page 9999 is beyond the last page 127 of Eprom 27C256"},
      {"-d 24C16 display", "there is no display routine for Eeprom 24C16"},
      {"-d 27C256 --yes --voltage 21 program -i " + image.string(),
       "Eprom 27C256 does not take the 21V programming voltage"},
      {"sum", "sum needs the image file: -i FILE, or the device: -d NAME"},
      {"--setup 1 list", "list does not take --setup"},
      {"-d 24C16 erase", "erase destroys what the chip holds: it runs only with --yes"},
      {"-d 27C256 read -o ''", "the file name is empty"},
  };
  for (const auto& [arguments, reason] : refusals) {
    const auto run = runCli(options + arguments, state.path());
    EXPECT_EQ(run.status, 2) << arguments << ": " << run.output();
    EXPECT_NE(run.output().find("burnlab-cli: "), std::string::npos) << run.output();
    EXPECT_NE(run.output().find(reason), std::string::npos) << arguments << ": " << run.output();
    const auto summary = run.output().find("Simulated board: ");
    if (summary != std::string::npos) {
      EXPECT_NE(run.output().find("; 0 port accesses;", summary), std::string::npos)
          << run.output();
    }
    EXPECT_FALSE(std::filesystem::exists(trace)) << arguments;
  }
  // A trace file that would hold the program up or could not be written.
  for (const auto& unusable : {fifo, state.path()}) {
    const auto run = runCli("--simulate --trace " + unusable.string() + " reset", state.path());
    EXPECT_EQ(run.status, 2) << run.output();
    EXPECT_NE(run.output().find("the trace file cannot be written"), std::string::npos)
        << run.output();
  }
  EXPECT_EQ(runCli("--simulate --trace '' reset", state.path()).status, 2);
}

TEST(CliBeforeThePort, TheChipsNameAloneChoosesTheDevice) {
  TempFolder folder;
  const auto out = folder.path() / "x.bin";
  const auto run = runCli("-d 27C256 --simulate=27C256 read -o " + out.string());
  ASSERT_EQ(run.status, 0) << run.output();
  EXPECT_NE(run.output().find("Device Eprom 27C256 was Selected"), std::string::npos);
  EXPECT_EQ(std::filesystem::file_size(out), 32768u);
}

TEST(CliShow, PrintsTheLoadingsLogLinesOnceAndNoneWhenQuiet) {
  TempFolder folder;
  const auto image = folder.path() / "img.bin";
  writeImage(image, 4096, 2);
  const auto shown = runCli("--simulate show -i " + image.string());
  ASSERT_EQ(shown.status, 0) << shown.output();
  const auto first = shown.output().find("was read into Buffer");
  ASSERT_NE(first, std::string::npos) << shown.output();
  EXPECT_EQ(shown.output().find("was read into Buffer", first + 1), std::string::npos)
      << shown.output();

  const auto quiet = runCli("--simulate -q show -i " + image.string());
  ASSERT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.output().find(">  "), std::string::npos) << quiet.output();
  EXPECT_NE(quiet.output().find("\r\n000000| "), std::string::npos);
}

TEST(CliFlash, AnUntestedFlashIsIdentifiedAndErasedOnlyWithTheOptIn) {
  const auto id = runCli("--simulate=AM29F040 --allow-untested -d \"Flash AMD AM29F040\" flash-id");
  ASSERT_EQ(id.status, 0) << id.output();
  EXPECT_NE(id.output().find("Device Flash AMD AM29F040 is untested on real hardware"),
            std::string::npos);
  EXPECT_NE(id.output().find("Device ID# 01A4 - AMD am29F040 Flash Memory"), std::string::npos)
      << id.output();

  const auto erased = runCli(
      "--simulate=AT29C256 --sim-loop-ns 1 --sim-no-wait --allow-untested -d AT29C256 --yes erase");
  EXPECT_EQ(erased.status, 0) << erased.output();
  EXPECT_NE(erased.output().find("FLASH Atmel AT29C256 Erased"), std::string::npos) << erased.output();

  TempFolder folder;
  const auto image = folder.path() / "img.bin";
  writeImage(image, 4096, 3);
  const auto programmed = runCli(
      "--simulate=A29040 --sim-loop-ns 1 --sim-no-wait --allow-untested -d A29040 program -i " +
      image.string() + " --verify --yes");
  EXPECT_EQ(programmed.status, 0) << programmed.output();
  EXPECT_NE(programmed.output().find("Device Contents MATCHES with Buffer Contents"),
            std::string::npos)
      << programmed.output();
  // The EN29F040 gives its codes after a continuation code; its earlier revision answers at
  // 5555h/2AAAh.
  const auto eon = runCli("--simulate=EN29F040,earlier --allow-untested -d EN29F040 flash-id");
  EXPECT_EQ(eon.status, 0) << eon.output();
  EXPECT_NE(eon.output().find("Device ID# 1C04 - EON EN29F040 Flash Memory"), std::string::npos)
      << eon.output();
  // An empty socket gives no maker the program takes: nothing is written.
  const auto refusedChip = runCli("--simulate=empty --allow-untested -d AM29F040 program -i " +
                                  image.string() + " --yes");
  EXPECT_EQ(refusedChip.status, 1) << refusedChip.output();
  EXPECT_NE(refusedChip.output().find("Device ID# FFFF - Not Supported"), std::string::npos)
      << refusedChip.output();

  const auto refused = runCli("--simulate=AM29F040 -d \"Flash AMD AM29F040\" flash-id");
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.output().find("Flash AMD AM29F040 is not supported by this program "
                                  "(--allow-untested offers it)"),
            std::string::npos)
      << refused.output();
  EXPECT_NE(runCli("list").output().find("25 N/A - Flash AMD AM29F040"), std::string::npos);
  EXPECT_NE(runCli("--allow-untested list").output().find("\n25 Flash AMD AM29F040"),
            std::string::npos);
  EXPECT_NE(runCli("--allow-untested list").output().find("\n26 Flash EON EN29F040"),
            std::string::npos);
}

TEST(CliFlash, IdentifyingAnEpromIsRefusedAndAnUnknownFlashFails) {
  const auto eprom = runCli("--simulate=27C256 -d 27C256 flash-id");
  EXPECT_EQ(eprom.status, 2);
  EXPECT_NE(eprom.output().find("there is no flash identification routine for Eprom 27C256"),
            std::string::npos)
      << eprom.output();
  const auto empty = runCli("--simulate --allow-untested -d AM29F040 flash-id");
  EXPECT_EQ(empty.status, 1) << empty.output();
  EXPECT_NE(empty.output().find("Device ID# FFFF -  Not Valid!!!"), std::string::npos);
}

}  // namespace
}  // namespace burnlab::testing
