// What `--simulate=SOCKET` puts into the simulated socket, and chip images.
#include "sim/socket_choice.h"

#include <gtest/gtest.h>

#include "launch/port_stack.h"
#include "sim/eprom_chip.h"
#include "sim/x28c256_chip.h"
#include "support/temp_folder.h"

namespace burnlab::sim {
namespace {

using testing::readAll;
using testing::TempFolder;

TEST(SocketChoice, NamesNoBoardAnEmptySocketOrAChipWithFaultsAndImage) {
  EXPECT_EQ(parseSocketChoice("none").choice.kind, SocketChoice::Kind::NoBoard);
  EXPECT_EQ(parseSocketChoice("").choice.kind, SocketChoice::Kind::Empty);
  EXPECT_EQ(parseSocketChoice("empty").choice.kind, SocketChoice::Kind::Empty);

  const auto parsed =
      parseSocketChoice("27C256,set@1234=5A,stuck1@10=81,pulses=4,slow=3,original:/tmp/a:b.bin");
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.choice.kind, SocketChoice::Kind::Chip);
  EXPECT_EQ(parsed.choice.chip, "27C256");
  EXPECT_EQ(parsed.choice.image, "/tmp/a:b.bin");
  const ChipOptions& options = parsed.choice.options;
  ASSERT_EQ(options.changed.size(), 1u);
  EXPECT_EQ(options.changed[0].address, 0x1234u);
  EXPECT_EQ(options.changed[0].value, 0x5A);
  ASSERT_EQ(options.stuck.size(), 1u);
  EXPECT_EQ(options.stuck[0].mask, 0x81);
  EXPECT_EQ(options.stuck[0].value, 0x81);
  EXPECT_EQ(options.fixedPulses, 4);
  EXPECT_EQ(options.slowFactor, 3);
  EXPECT_TRUE(options.original);

  EXPECT_EQ(parseSocketChoice("27C256,bogus").error, "Unknown simulated fault bogus");
  // A known fault with a bad value says what the value may be.
  EXPECT_EQ(parseSocketChoice("27C256,pulses=0").error,
            "Simulated fault pulses=0: pulses= takes a whole number from 1 to 1000, not '0'");
  EXPECT_EQ(parseSocketChoice("27C256,slow=x").error,
            "Simulated fault slow=x: slow= takes a whole number from 1 to 1000, not 'x'");
  EXPECT_EQ(parseSocketChoice("AM29F040,protect=32").error,
            "Simulated fault protect=32: protect= takes a sector number from 0 to 31, not '32'");

  const auto flash = parseSocketChoice("AM29F040,protect=1,protect=7,erasefails,earlier");
  ASSERT_EQ(flash.error, "");
  EXPECT_EQ(flash.choice.options.protectedSectors, 0x82u);
  EXPECT_TRUE(flash.choice.options.eraseFails);
  EXPECT_TRUE(flash.choice.options.earlierUnlock);
  const auto serial = parseSocketChoice("24C16,wp,noack").choice.options;
  EXPECT_TRUE(serial.writeProtect);
  EXPECT_TRUE(serial.neverAcknowledges);
  EXPECT_EQ(parseSocketChoice("27C256,set@12=100").error,
            "Simulated fault set@12=100: set@ takes ADDR=BYTE in hexadecimal (BYTE 00 to FF), not "
            "'12=100'");
  EXPECT_EQ(parseSocketChoice(":x.bin").error, "No chip named in the socket ");
  EXPECT_EQ(parseSocketChoice("27C256:").error, "No image file named after ':' in 27C256:");
}

TEST(SocketChoice, BuildsTheChipFromItsImageThenChangesItsByte) {
  TempFolder folder;
  const auto image = folder.file("some.bin", std::string("\x01\x02\x03", 3));
  std::string error;
  auto chip = buildSocketChip(parseSocketChoice("2764,set@1=EE:" + image.string()).choice, error);
  ASSERT_NE(chip, nullptr) << error;
  EXPECT_EQ(chip->name(), "2764");
  EXPECT_EQ(chip->cell(0), 0x01);
  EXPECT_EQ(chip->cell(1), 0xEE);
  EXPECT_EQ(chip->cell(2), 0x03);
  EXPECT_EQ(chip->cell(3), 0xFF) << "the rest erased";

  EXPECT_EQ(buildSocketChip(parseSocketChoice("2764,set@2000=00").choice, error), nullptr);
  EXPECT_EQ(error, "The changed byte's address is past the end of the 2764");
  EXPECT_EQ(buildSocketChip(parseSocketChoice("24C08,locked").choice, error), nullptr);
  EXPECT_EQ(error, "24C08 has no data protection to lock");
  EXPECT_EQ(buildSocketChip(parseSocketChoice("27C256,slow").choice, error), nullptr);
  EXPECT_EQ(error, "27C256 has no write cycle to slow down");
  auto locked = buildSocketChip(parseSocketChoice("X28C256,locked,slow").choice, error);
  ASSERT_NE(locked, nullptr) << error;
  EXPECT_TRUE(std::static_pointer_cast<X28C256Chip>(locked)->dataProtection(0));
}

TEST(MemoryChip, RefusesAnImageLongerThanTheChipAndSavesAtomically) {
  TempFolder folder;
  std::string error;
  auto chip = buildSocketChip(parseSocketChoice("24C08").choice, error);
  ASSERT_NE(chip, nullptr);
  chip->setCell(3, 0x33);
  const auto tooLong = folder.file("long.bin", std::string(1025, 'x'));
  EXPECT_EQ(chip->loadImage(tooLong),
            "The image " + tooLong.string() + " has 1025 bytes, more than the 1024 of the 24C08");
  EXPECT_EQ(chip->cell(3), 0x33) << "a refused image changes nothing";
  EXPECT_NE(chip->loadImage(folder.path() / "missing.bin"), "");

  const auto saved = folder.path() / "saved.bin";
  ASSERT_EQ(chip->saveImage(saved), "");
  const std::string bytes = readAll(saved);
  ASSERT_EQ(bytes.size(), 1024u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[3]), 0x33);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[4]), 0xFF);
  EXPECT_NE(chip->saveImage(folder.path() / "no" / "such" / "folder.bin"), "");
}

TEST(MemoryChip, TakesAHexOrSRecordImageWithItsHolesErased) {
  TempFolder folder;
  std::string error;
  auto chip = buildSocketChip(parseSocketChoice("2764").choice, error);
  ASSERT_NE(chip, nullptr);
  // Two bytes at 10h and one at 1FFFh, the chip's last address.
  const auto hex = folder.file("image.ihx", ":02001000AB1231\n:011FFF00776A\n:00000001FF\n");
  ASSERT_EQ(chip->loadImage(hex), "");
  EXPECT_EQ(chip->cell(0x0F), 0xFF);
  EXPECT_EQ(chip->cell(0x10), 0xAB);
  EXPECT_EQ(chip->cell(0x11), 0x12);
  EXPECT_EQ(chip->cell(0x1FFF), 0x77);

  const auto srec = folder.file("image.bin", "S1050020CDEF1E\n");
  ASSERT_EQ(chip->loadImage(srec), "");
  EXPECT_EQ(chip->cell(0x10), 0xFF) << "the earlier image is gone";
  EXPECT_EQ(chip->cell(0x21), 0xEF);

  const auto beyond = folder.file("beyond.hex", ":0120000001DE\n:00000001FF\n");
  EXPECT_EQ(chip->loadImage(beyond),
            "The image " + beyond.string() +
                " is refused, line 1: address 2000h lies beyond the 8192 bytes there is room for");
  EXPECT_EQ(chip->cell(0x21), 0xEF) << "a refused image changes nothing";

  // Saved under a HEX name, the chip's image is HEX, and it comes back the same.
  const auto saved = folder.path() / "saved.hex";
  ASSERT_EQ(chip->saveImage(saved), "");
  EXPECT_EQ(readAll(saved).substr(0, 9), ":10000000");
  chip->erase();
  ASSERT_EQ(chip->loadImage(saved), "");
  EXPECT_EQ(chip->cell(0x21), 0xEF);
}

// The port stack of a simulated board with `socket` (as `--simulate=` names it) in it.
std::unique_ptr<PortStack> simulatedStack(const std::string& socket, std::string& error) {
  ProgramOptions options;
  options.simulate = true;
  options.simSocket = socket;
  return PortStack::build(options, error);
}

TEST(PortStackSocket, PutsTheNamedChipIntoTheSimulatedSocket) {
  TempFolder folder;
  const auto image = folder.file("some.bin", "AB");
  std::string error;
  auto stack = simulatedStack("27c256:" + image.string(), error);
  ASSERT_NE(stack, nullptr) << error;
  auto chip = std::dynamic_pointer_cast<EpromChip>(stack->simulatedBoard()->chip());
  ASSERT_NE(chip, nullptr);
  EXPECT_EQ(chip->name(), "27C256");
  EXPECT_EQ(chip->cell(1), 'B');

  stack = simulatedStack("", error);
  ASSERT_NE(stack, nullptr);
  EXPECT_EQ(stack->simulatedBoard()->chip(), nullptr) << "empty is the default";
}

TEST(PortStackSocket, AnUnknownChipOrUnreadableImageIsAnError) {
  TempFolder folder;
  std::string error;
  EXPECT_EQ(simulatedStack("27C999", error), nullptr);
  EXPECT_EQ(error, "No simulated chip is called 27C999");
  EXPECT_EQ(simulatedStack("24C16:" + (folder.path() / "missing.bin").string(), error), nullptr);
  EXPECT_TRUE(error.starts_with("Cannot read the image ")) << error;
}

}  // namespace
}  // namespace burnlab::sim
