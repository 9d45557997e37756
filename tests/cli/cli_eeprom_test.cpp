// burnlab-cli program and erase on the serial EEPROMs. The X28C256's --protect, its kept
// protection and the unlock before the next program are run in CliSimChip; the log lines of
// its protection are checked in X28C256Program.
#include <gtest/gtest.h>

#include "devices/device_catalogue.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

// A serial EEPROM, named by its chip's name, in the socket and chosen with -d.
class CliEeprom : public ::testing::TestWithParam<const char*> {
 protected:
  CliRun run(const std::string& socket, const std::string& arguments) {
    // A busy-wait iteration of a set time: the write cycles' waits do not depend on this PC,
    // and they pass on the simulated clock without being waited out.
    return runCli("--simulate=" + socket + " --sim-loop-ns 1 --sim-no-wait -d " + GetParam() + " " +
                  arguments);
  }
  TempFolder folder;
  std::filesystem::path image = folder.path() / "img.bin";
  std::size_t size = static_cast<std::size_t>(DeviceCatalogue::byName(GetParam())->sizeKB) * 1024;
};

TEST_P(CliEeprom, ProgramsAndVerifiesAndErases) {
  const std::string socket = GetParam();
  writeImage(image, size, 3);
  expectRun(run(socket, "--yes --verify program -i " + image.string()), socket, 0,
            {"Programming Device Successfull", "Device Contents MATCHES with Buffer Contents"});

  // A chip that holds the image is erased (a simulated chip lasts one run: the erase's own
  // result is checked where the window's command is tested).
  const std::string loaded = socket + ":" + image.string();
  EXPECT_EQ(run(loaded, "verify -i " + image.string()).status, 0);
  const auto erasedLine = ": " + std::to_string(size) + " bytes erased to FFh\n";
  expectRun(run(loaded, "--yes erase"), loaded, 0, {"Erasing ", erasedLine});
}

INSTANTIATE_TEST_SUITE_P(EveryPart, CliEeprom, ::testing::Values("24C08", "24C16", "24C32"),
                         [](const auto& info) { return std::string("chip") + info.param; });

// A device without Erase Chip, an erase without --yes and --protect on another device than the
// X28C256 are refused in CliBeforeThePort's table.

}  // namespace
}  // namespace burnlab::testing
