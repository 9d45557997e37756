// burnlab-cli program and erase on the X28C256 and the serial EEPROMs, and --protect.
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

// A device without Erase Chip, and an erase without --yes, are refused in CliBeforeThePort's
// table.

// The X28C256 programs in about ten seconds of real pauses: one run covers it, on a protected
// chip, which the program unlocks first; the window's tests cover its erase. --protect on
// another device is refused in CliBeforeThePort's table.
TEST(CliProtect, SwitchesTheX28C256sProtectionOnAfterProgramming) {
  TempFolder folder;
  const auto image = folder.path() / "img.bin";
  writeImage(image, 32768, 5);
  expectCli(
      "--simulate=X28C256,locked --sim-loop-ns 1 --sim-no-wait -d \"Eeprom XICOR X28C256\" --yes "
      "--verify --protect program -i " +
          image.string(),
      0, {"XICOR 28C256 Data Protection Enabled", "Device Contents MATCHES with Buffer Contents"});
}

}  // namespace
}  // namespace burnlab::testing
