// burnlab-cli program: the safety question, the check boxes and voltage it sets, its exit
// statuses, and a signal in the middle of a run.
#include <gtest/gtest.h>
#include <signal.h>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

// The values written to register 0 in a trace: each write puts the value on the data lines,
// selects register 0 (control 05h on a model 6 board) and strobes it (04h).
std::vector<int> register0Writes(const std::vector<std::string>& trace) {
  std::vector<int> values;
  for (std::size_t i = 2; i < trace.size(); ++i) {
    if (trace[i] == "out 037A 04" && trace[i - 1] == "out 037A 05") {
      values.push_back(std::stoi(trace[i - 2].substr(9), nullptr, 16));
    }
  }
  return values;
}

class CliProgram : public ::testing::Test {
 protected:
  // A whole 27C256 image, data in its first KiB and FFh (skipped) after it, programmed at a
  // speed whose pulses suit the part's cells there on a PC whose busy-wait loop takes 1 ns an
  // iteration.
  CliProgram() {
    bytes = varyingBytes(1024, 9) + std::string(32768 - 1024, '\xFF');
    writeAll(image, bytes);
  }

  CliRun program(const std::string& socket, const std::string& options, int status,
                 std::initializer_list<std::string_view> texts = {}) {
    return expectCli("--simulate=" + socket +
                         " --sim-loop-ns 1 --sim-no-wait -d \"Eprom 27C256\" " + "--speed 10 " +
                         options + " program -i " + image.string(),
                     status, texts);
  }

  TempFolder folder;
  std::filesystem::path image = folder.path() / "img.bin";
  std::string bytes;
};

// A voltage the device does not offer (21 V on a 27C256) is refused in CliBeforeThePort's table,
// and one no device takes in CliCommandLine.OptionValuesAreChecked...
TEST_F(CliProgram, WithYesItProgramsAndVerifiesTheChipAtTheVoltageAsked) {
  program("27C256", "--yes --verify --voltage 12.5", 0,
          {"Safety Question: Program the Device? OK (--yes)", "Programming Device Successfull",
           "Device Contents MATCHES with Buffer Contents"});
}

TEST_F(CliProgram, WithoutYesTheQuestionIsRefusedAndNothingIsWritten) {
  const auto trace = folder.path() / "t.txt";
  program("27C256", "--trace " + trace.string(), 2, {"Programming was Canceled by Operator"});
  // Register 0 never carries programming voltage (bits 7, 5 and 4).
  const auto written = register0Writes(lines(trace));
  ASSERT_FALSE(written.empty());
  EXPECT_TRUE(std::none_of(written.begin(), written.end(), [](int v) { return v & 0xB0; }));
}

TEST_F(CliProgram, FailuresExitWithOneAndSayWhere) {
  std::string stuckBitClear(32768, '\xFF');
  stuckBitClear[0x1234] = '\xFE';
  writeAll(image, stuckBitClear);
  program(
      "27C256,stuck1@1234=01", "--yes", 1,
      {"*** Programming Failure ***", "*** Address:1234h, Programming BYTE:FEh, Read BYTE:FFh"});
  const auto notBlank =
      program("27C256,set@300=7F", "--yes --blank-check", 1, {"Device IS NOT BLANK (ERASED)"});
  EXPECT_FALSE(printed(notBlank, "Programming Started"));
}

TEST_F(CliProgram, AFileLongerThanTheChipIsRefusedUnlessTruncateSaysToCutIt) {
  writeAll(image, bytes + std::string(7232, '\x00'));
  const auto refused =
      program("27C256", "--yes", 2, {"the file is 40000 bytes, 7232 more than Eprom 27C256 holds"});
  EXPECT_FALSE(printed(refused, "Programming Button Pressed"));
  program("27C256", "--yes --truncate", 0,
          {"its last 7232 bytes do not fit the device's 32768", "Programming Device Successfull"});
}

TEST_F(CliProgram, ASignalMidRunLeavesTheBoardResetAndExitsWith128PlusItsNumber) {
  // Every byte of a 27C512 to write: the run is still programming when the signal comes, however
  // slowly this machine runs it.
  writeImage(image, 65536, 9);
  const auto trace = folder.path() / "t.txt";
  CliOnTerminal run(BURNLAB_CLI,
                    {"--simulate=27C512", "--sim-loop-ns", "1", "--trace=" + trace.string(), "-d",
                     "27C512", "--speed", "10", "--yes", "program", "-i", image.string()},
                    folder.path() / "state");
  ASSERT_TRUE(run.started());
  // The signal comes once the program is under way: its log says the programming has started.
  ASSERT_TRUE(run.waitForText("Programming Started")) << run.finish().messages;
  run.signal(SIGTERM);
  const auto end = run.finish();
  EXPECT_EQ(end.status, 128 + SIGTERM) << end.messages;
  // The run ended with Reset: register 0 idle (no programming voltage), then register 3 with
  // CE and the bus released and the 28-pin chip's VCC line kept.
  const auto all = lines(trace);
  const auto written = register0Writes(all);
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written.back(), 0x40);
  EXPECT_EQ(tail(all, 4),
            (std::vector<std::string>{"out 0378 C6", "out 037A 0F", "out 037A 0E", "out 037A 0F"}));
}

}  // namespace
}  // namespace burnlab::testing
