// Erase Chip as the operator runs it on the X28C256 and the serial EEPROMs: the chip all FFh,
// the buffer and the lamps as each family leaves them.
#include <gtest/gtest.h>

#include "sim/x28c256_chip.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

TEST(EraseChip, ASerialEepromIsWrittenFFWithItsTwoLinesAndTheSuccessAndTheBufferIsKept) {
  for (const auto& [part, name] : {std::pair{"24C16", "24CXX"}, std::pair{"24C32", "24C32"}}) {
    SCOPED_TRACE(part);
    SimulatedApp f(eepromToProgram(part));
    const auto size = static_cast<std::uint32_t>(f.chip->size());
    for (std::uint32_t a = 0; a < size; ++a) f.chip->setCell(a, static_cast<std::uint8_t>(a));
    f.app.buffers.CodeSize = 16;  // a short file: the whole chip is erased all the same
    const auto buffer = f.app.buffers.CodeBuffer;
    const auto log = f.logOf([&] { f.app.click("EraseFlash_button"); });
    EXPECT_TRUE(f.chipErased());
    EXPECT_EQ(f.app.buffers.CodeBuffer, buffer);
    EXPECT_EQ(log, "\r\n12:34:56>  Erasing Device " + std::string(name) +
                       "\r\n12:34:56>  Program Buffer will not be erased"
                       "\r\n12:34:56>  Programming Device Successfull");
    EXPECT_EQ(f.platform.sounds.back().filename(), "ok.wav");
    EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
    EXPECT_TRUE(f.serialIdle());
    // Erase mode lasts until the next reset: a Program after it writes the buffer again.
    EXPECT_EQ(f.app.board.EraseMode, 1);
    f.app.buffers.CodeSize = static_cast<std::int32_t>(size);
    f.app.Program_button_Click();
    EXPECT_TRUE(std::equal(f.image.begin(), f.image.end(), f.chip->cells().begin()));
  }
}

TEST(EraseChip, AnX28C256IsProgrammedWithFFUnprotectedAndTheNextProgramWritesTheBufferAgain) {
  SimulatedApp f(eepromToProgram("X28C256,locked"));
  for (std::uint32_t a = 0; a < 32768; a += 7) f.chip->setCell(a, 0x00);
  f.app.click("menuProtectEeprom");  // protection follows a program, never an erase
  const auto log = f.logOf([&] { f.app.EraseFlash_button_Click(); });
  EXPECT_TRUE(f.chipErased());
  EXPECT_FALSE(std::static_pointer_cast<sim::X28C256Chip>(f.chip)->dataProtection(f.clock.nowNs()));
  // The X28C256 gets no closing line of the command's own.
  EXPECT_EQ(log,
            "\r\n12:34:56>  Erasing Program Buffer"
            "\r\n12:34:56>  Erasing XICOR 28C256"
            "\r\n12:34:56>  Programming 28C256 XICOR Device"
            "\r\n12:34:56>  XICOR 28C256 Programmed Sucessfully");
  EXPECT_TRUE(f.boardIdle());
  f.app.panel.VerifyAfterProgramming.checked = true;
  f.app.Program_button_Click();
  EXPECT_TRUE(std::equal(f.image.begin(), f.image.end(), f.chip->cells().begin()));
  EXPECT_TRUE(f.logged("Device Contents MATCHES with Buffer Contents"));
}

TEST(EraseChip, AStopMidwayStillLeavesTheX28C256ImageRebuiltFromTheBuffer) {
  SimulatedApp f(eepromToProgram("X28C256"));
  f.app.options.BuildProgramImage(f.app.buffers.codeImage());
  const auto image = f.app.options.image.bytes;
  f.app.stopRequest.request(StopRequest::kByOperator);  // ends the erase at its first pause
  EXPECT_THROW(f.app.x28c256.EraseX28C256(f.app.programming.run), OperationStopped);
  EXPECT_EQ(f.app.options.image.bytes, image);
}

}  // namespace
}  // namespace burnlab::testing
