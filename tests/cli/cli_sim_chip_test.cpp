// A simulated chip kept in a file from one run of burnlab-cli to the next: the rehearsal of a
// job as a script (program, verify, read, a program stopped by Ctrl-C), what the chip keeps
// beside its bytes, the lock, and the files it refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <iterator>
#include <sstream>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

using ::testing::HasSubstr;

// `size` bytes that differ from their neighbours, `seed` shifting them, the first `data` of
// them (all by default) data and the rest FFh.
std::string imageBytes(std::size_t size, unsigned seed, std::size_t data = 0) {
  std::string bytes(size, '\xFF');
  for (std::size_t i = 0; i < (data ? data : size); ++i) {
    bytes[i] = static_cast<char>((i * 131 + seed) & 0x7F);  // never FFh: every byte is written
  }
  return bytes;
}

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), {}};
}

struct KeptPart {
  const char* socket;  // the part and the faults of its cells, as --simulate gives them
  const char* device;  // -d and the options of its device commands
  std::size_t size;
  const char* options;  // what every run of it takes
  bool eprom;           // erased by sim-erase (UV light), the others by their erase command
  bool protect;         // programmed with --protect (the X28C256)
};

class CliSimChip : public ::testing::TestWithParam<KeptPart> {
 protected:
  // The words of a run on the kept chip: the board's options, then `command`'s. A run that is
  // to be stopped midway waits in real time, as with a real board; the others need not.
  std::string line(const std::string& command, bool waits = false) const {
    const auto& part = GetParam();
    return "--simulate=" + std::string(part.socket) + " --sim-chip " + kept.string() +
           " --sim-loop-ns 1 " + (waits ? "" : "--sim-no-wait ") + part.options + " " + command;
  }
  CliRun cli(const std::string& command) const { return runCli(line(command), folder.path()); }
  CliRun device(const std::string& command) const {
    return cli(std::string(GetParam().device) + " " + command);
  }
  std::string state() const { return readAll(kept.string() + ".chip"); }

  TempFolder folder;
  std::filesystem::path kept = folder.path() / "chip.bin";
  std::filesystem::path image = folder.path() / "img.bin";
  std::filesystem::path back = folder.path() / "back.bin";
};

TEST_P(CliSimChip, AScriptProgramsVerifiesReadsAndKeepsAStoppedProgramPartDone) {
  const auto& part = GetParam();
  // A first image with a KiB of data, then one that fills the chip for the stopped program.
  const auto first = imageBytes(part.size, 5, 1024);
  writeAll(image, first);
  const auto programmed = device(std::string("--yes ") + (part.protect ? "--protect " : "") +
                                 "program -i " + image.string());
  ASSERT_EQ(programmed.status, 0) << programmed.messages;
  if (part.protect) {
    EXPECT_THAT(state(), HasSubstr("\ndata-protection on\n"));
  }

  expectRun(device("verify -i " + image.string()), "verify", 0,
            {"Device Contents MATCHES with Buffer Contents"});
  // What the chip keeps survives a run that changes nothing.
  if (part.protect) {
    EXPECT_THAT(state(), HasSubstr("\ndata-protection on\n"));
  }

  const auto read = device("read -o " + back.string());
  ASSERT_EQ(read.status, 0) << read.messages;
  EXPECT_TRUE(readAll(back) == first);

  if (part.protect) {
    // The protected chip takes the next program: it switches the protection off first.
    expectRun(device("--yes program -i " + image.string()), "program", 0);
    EXPECT_THAT(state(), HasSubstr("\ndata-protection off\n"));
  }
  const auto erased = part.eprom ? cli("sim-erase") : device("--yes erase");
  ASSERT_EQ(erased.status, 0) << erased.messages;

  const auto second = imageBytes(part.size, 9);
  writeAll(image, second);
  CliOnTerminal stopped(
      BURNLAB_CLI,
      words(line(std::string(part.device) + " --yes program -i " + image.string(), true)),
      folder.path());
  ASSERT_TRUE(stopped.started());
  ASSERT_TRUE(stopped.waitForProgress(5)) << stopped.finish().messages;
  // Meanwhile the chip is in use: another run on its file is refused, and leaves it alone.
  expectRun(device("read -o " + back.string()), "read", 2, {"in use by another program"});
  stopped.signal(SIGINT);
  const auto end = stopped.finish();
  ASSERT_EQ(end.status, 128 + SIGINT) << end.messages;

  // The next run finds the chip part-programmed: a start of the image, the rest still erased.
  const auto partly = device("read -o " + back.string());
  ASSERT_EQ(partly.status, 0) << partly.messages;
  const auto bytes = readAll(back);
  ASSERT_EQ(bytes.size(), part.size);
  std::size_t written = 0, erasedBytes = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    written += bytes[i] == second[i];
    erasedBytes += bytes[i] == '\xFF';
  }
  EXPECT_GT(written, 0u);
  EXPECT_GT(erasedBytes, 0u);
  EXPECT_GE(written + erasedBytes + 1, part.size) << "bytes that are neither the image nor erased";
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, CliSimChip,
    ::testing::Values(KeptPart{"27C256,pulses=1", "-d 27C256 --speed 20", 32768, "", true, false},
                      KeptPart{"X28C256", "-d X28C256", 32768, "", false, true},
                      KeptPart{"24C16", "-d 24C16", 2048, "", false, false},
                      KeptPart{"AM29F040", "-d AM29F040", 512 * 1024, "--allow-untested", false,
                               false}),
    [](const auto& info) {
      const std::string socket = info.param.socket;
      return "chip" + socket.substr(0, socket.find(','));
    });

// A folder with a kept 27C256 that holds an image, and runs of burnlab-cli on it.
class CliKeptChipFiles : public ::testing::Test {
 protected:
  CliRun cli(const std::string& arguments) const { return runCli(arguments, folder.path()); }
  std::string chipPath(const std::filesystem::path& file) const {
    return " --sim-chip " + file.string() + " ";
  }

  TempFolder folder;
  std::filesystem::path kept = folder.path() / "chip.bin";
  std::filesystem::path state = folder.path() / "chip.bin.chip";
};

TEST_F(CliKeptChipFiles, AFileThatDoesNotFitIsRefusedAtStartAndLeftAsItWas) {
  const auto bytes = imageBytes(32768, 3);
  writeAll(kept, bytes);
  const std::string goodState = "part 27C256\ndestroyed no\n";
  struct Case {
    std::string state;
    std::string says;
    std::string socket = "27C256";  // the part --simulate names
  };
  const Case cases[] = {
      {goodState, "chip.bin holds a 27C256, not the 27C512 that --simulate names", "27C512"},
      {"part 27C256\ndestroyed no\ncolour green\n", "chip.bin.chip, line 3: unknown"},
      {"part 27C256\ndestroyed perhaps\n", "line 2: destroyed is yes or no"},
      {"part 27C256\ndestroyed no\ndata-protection on\n",
       "line 3: a 27C256 has no data-protection setting"},
      {"part 27C256\n", "a 27C256 needs its destroyed setting"},
      {"part 27C256\r\ndestroyed no\r\n", "line 1: the byte 0Dh is not text"},
      {"part AM29F040\ndestroyed no\nprotected-sectors 9\n", "not the 27C256"},
      {"part AM29F040\ndestroyed no\nprotected-sectors 9\n",
       "line 3: a AM29F040 has sectors 0 to 7 only", "AM29F040"},
  };
  for (const auto& refused : cases) {
    writeAll(state, refused.state);
    expectRun(cli("--simulate=" + refused.socket + " --allow-untested" + chipPath(kept) + "-d " +
                  refused.socket + " blank"),
              refused.state, 2, {refused.says});
    EXPECT_EQ(readAll(kept), bytes);
    EXPECT_EQ(readAll(state), refused.state);
  }
  // Bytes of another part's size, a state without its bytes.
  std::filesystem::remove(state);
  writeAll(kept, bytes.substr(0, 8192));
  expectRun(cli("--simulate=27C256" + chipPath(kept) + "sim-erase"), "short", 2,
            {"chip.bin has 8192 bytes, not the 32768 of a 27C256"});
  EXPECT_EQ(readAll(kept), bytes.substr(0, 8192));
  std::filesystem::remove(kept);
  writeAll(state, goodState);
  expectRun(cli("--simulate=27C256" + chipPath(kept) + "sim-erase"), "alone", 2,
            {"chip.bin.chip is there but"});
  EXPECT_FALSE(std::filesystem::exists(kept));
  // A folder, or a FIFO that would never end, in the place of the file.
  const auto place = folder.path() / "place";
  std::filesystem::create_directory(place);
  EXPECT_EQ(cli("--simulate=27C256" + chipPath(place) + "sim-erase").status, 2);
  std::filesystem::remove(place);
  ASSERT_EQ(::mkfifo(place.c_str(), 0600), 0);
  expectRun(cli("--simulate=27C256" + chipPath(place) + "-d 27C256 blank"), "FIFO", 2, {"a FIFO"});
}

TEST_F(CliKeptChipFiles, ADestroyedChipAndProtectedSectorsStaySoInTheNextRuns) {
  // 21 V destroys a 2764 of the later 12.5 V kind; at 12.5 V the next run cannot program it.
  const auto image = folder.path() / "img.bin";
  writeAll(image, imageBytes(8192, 1, 256));
  const std::string eprom =
      "--simulate=2764" + chipPath(kept) + "--sim-loop-ns 1 --sim-no-wait -d 2764 --yes ";
  EXPECT_EQ(cli(eprom + "--voltage 21 program -i " + image.string()).status, 1);
  EXPECT_THAT(readAll(state), HasSubstr("\ndestroyed yes\n"));
  EXPECT_EQ(cli("--simulate=2764" + chipPath(kept) + "sim-erase").status, 0);
  expectRun(cli(eprom + "program -i " + image.string()), "program again", 1);
  EXPECT_THAT(readAll(state), HasSubstr("\ndestroyed yes\n"));

  // A flash whose sector 7 was protected keeps it: the next run cannot program that sector.
  const auto flash = folder.path() / "flash.bin";
  EXPECT_EQ(cli("--simulate=AM29F040,protect=7" + chipPath(flash) + "sim-erase").status, 0);
  EXPECT_THAT(readAll(flash.string() + ".chip"), HasSubstr("\nprotected-sectors 7\n"));
  std::string last(512 * 1024, '\xFF');
  last[7 * 65536 + 5] = 0x12;
  writeAll(image, last);
  expectRun(cli("--simulate=AM29F040 --allow-untested" + chipPath(flash) +
                "--sim-loop-ns 1 --sim-no-wait -d AM29F040 --yes program -i " + image.string()),
            "program sector 7", 1);
  EXPECT_EQ(readAll(flash), std::string(512 * 1024, '\xFF'));
}

TEST_F(CliKeptChipFiles, AChipThatCannotGoBackLeavesTheFileAsItWasAndTheRunExitsWith3) {
  const auto bytes = imageBytes(32768, 7);
  writeAll(kept, bytes);
  // As on a full disk: no file of the run may grow past 16 KiB (and going past is no signal).
  const std::string limited =
      R"(sh -c 'trap "" XFSZ; ulimit -f 16; exec "$0" "$@"' )" + std::string(BURNLAB_CLI);
  const std::string chip = "--simulate=27C256,set@10=00" + chipPath(kept);
  expectRun(runCli(limited, chip + "-d 27C256 display", folder.path()), "display", 3,
            {"could not be written back to"});
  expectRun(runCli(limited, chip + "sim-erase", folder.path()), "sim-erase", 3);
  EXPECT_EQ(readAll(kept), bytes);
  EXPECT_FALSE(std::filesystem::exists(state));
}

}  // namespace
}  // namespace burnlab::testing
