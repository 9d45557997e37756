// burnlab-cli program and erase on the X28C256 and the serial EEPROMs, and --protect.
#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

bool has(const CliRun& run, const std::string& text) {
  return run.output().find(text) != std::string::npos;
}

struct Eeprom {
  const char* socket;
  const char* device;
  std::size_t size;
};

class CliEeprom : public ::testing::TestWithParam<Eeprom> {
 protected:
  CliRun run(const std::string& socket, const std::string& arguments) {
    // A busy-wait iteration of a set time: the write cycles' waits do not depend on this PC,
    // and they pass on the simulated clock without being waited out.
    return runCli("--simulate=" + socket + " --sim-loop-ns 1 --sim-no-wait -d \"" +
                  GetParam().device + "\" " + arguments);
  }
  TempFolder folder;
  std::filesystem::path image = folder.path() / "img.bin";
};

TEST_P(CliEeprom, ProgramsAndVerifiesAndErases) {
  const auto& part = GetParam();
  writeImage(image, part.size, 3);
  const auto programmed = run(part.socket, "--yes --verify program -i " + image.string());
  EXPECT_EQ(programmed.status, 0) << programmed.output();
  EXPECT_TRUE(has(programmed, "Programming Device Successfull"));
  EXPECT_TRUE(has(programmed, "Device Contents MATCHES with Buffer Contents"));

  // A chip that holds the image is erased (a simulated chip lasts one run: the erase's own
  // result is checked where the window's command is tested).
  const std::string loaded = std::string(part.socket) + ":" + image.string();
  EXPECT_EQ(run(loaded, "verify -i " + image.string()).status, 0);
  const auto erased = run(loaded, "--yes erase");
  EXPECT_EQ(erased.status, 0) << erased.output();
  EXPECT_TRUE(has(erased, "Erasing "));
  EXPECT_TRUE(has(erased, ": " + std::to_string(part.size) + " bytes erased to FFh\n"))
      << erased.output();
}

INSTANTIATE_TEST_SUITE_P(EveryPart, CliEeprom,
                         ::testing::Values(Eeprom{"24C08", "Eeprom 24C08 Serial (8 pins)", 1024},
                                           Eeprom{"24C16", "Eeprom 24C16 Serial (8 pins)", 2048},
                                           Eeprom{"24C32", "Eeprom 24C32 Serial (8 pins)", 4096}),
                         [](const auto& info) {
                           std::string name = info.param.socket;
                           std::replace(name.begin(), name.end(), ',', '_');
                           return "chip" + name;
                         });

TEST(CliErase, ADeviceWithoutEraseChipIsRefusedAndNoneIsErasedWithoutYes) {
  const auto run = runCli("--simulate=27C256 -d \"Eprom 27C256\" --yes erase");
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(has(run, "Eprom 27C256 has no Erase Chip")) << run.output();
  const auto unasked = runCli("--simulate=24C16 -d 24C16 erase");
  EXPECT_EQ(unasked.status, 2);
  EXPECT_TRUE(has(unasked, "erase destroys what the chip holds: it runs only with --yes"))
      << unasked.output();
}

// The X28C256 programs in about ten seconds of real pauses: one run covers it, on a protected
// chip, which the program unlocks first; the window's tests cover its erase.
TEST(CliProtect, SwitchesTheX28C256sProtectionOnAfterProgrammingAndIsRefusedElsewhere) {
  TempFolder folder;
  const auto image = folder.path() / "img.bin";
  writeImage(image, 32768, 5);
  const auto run = runCli(
      "--simulate=X28C256,locked --sim-loop-ns 1 --sim-no-wait -d \"Eeprom XICOR X28C256\" --yes "
      "--verify "
      "--protect "
      "program -i " +
      image.string());
  EXPECT_EQ(run.status, 0) << run.output();
  EXPECT_TRUE(has(run, "XICOR 28C256 Data Protection Enabled"));
  EXPECT_TRUE(has(run, "Device Contents MATCHES with Buffer Contents"));

  writeImage(image, 1024, 5);
  const auto refused =
      runCli("--simulate=24C08 -d \"Eeprom 24C08 Serial (8 pins)\" --yes --protect program -i " +
             image.string());
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(has(refused, "--protect is for the X28C256")) << refused.output();
  EXPECT_FALSE(has(refused, "Programming Button Pressed"));
}

}  // namespace
}  // namespace burnlab::testing
