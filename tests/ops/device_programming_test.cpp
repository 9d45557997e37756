// Program as the operator runs it: the question, the blank check before, the choice of routine,
// the outcome in the log, lamps and sounds, verify after, and the board's final state.
#include <gtest/gtest.h>

#include <tuple>

#include "ops/register_trace.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// One chip for each programming routine. The X28C256 and the serial EEPROMs take any slider:
// they run at the default with a random image as large as the chip.
struct Programmable {
  const char* socket;
  bool eeprom;
};

class EveryProgrammingRoutine : public ::testing::TestWithParam<Programmable> {};

TEST_P(EveryProgrammingRoutine, ProgramsTheImageAndVerifiesAfterwards) {
  const auto& p = GetParam();
  SimulatedApp f(p.eeprom ? eepromToProgram(p.socket) : toProgram(p.socket));
  f.app.panel.VerifyAfterProgramming.checked = true;
  f.app.Program_button_Click();
  EXPECT_TRUE(std::equal(f.image.begin(), f.image.end(), f.chip->cells().begin()))
      << "first difference at "
      << std::mismatch(f.image.begin(), f.image.end(), f.chip->cells().begin()).first -
             f.image.begin();
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  EXPECT_TRUE(f.logged("Device Contents MATCHES with Buffer Contents"));
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kGreyText);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
  if (p.eeprom) {
    EXPECT_FALSE(f.logged("Status 9"));
    return;
  }
  EXPECT_EQ(f.app.panel.ProgressBar1.max, 100);
  EXPECT_TRUE(f.boardIdle());
  // The board releases the bus before each read-back turns the chip's outputs on.
  EXPECT_EQ(f.board.counters().contentions, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    OnePerRoutine, EveryProgrammingRoutine,
    ::testing::Values(Programmable{"2732A", false}, Programmable{"2764", false},
                      Programmable{"27C256", false}, Programmable{"27C512", false},
                      Programmable{"27C010", false}, Programmable{"X28C256", true},
                      Programmable{"X28C256,locked", true}, Programmable{"24C08", true},
                      Programmable{"24C16", true}, Programmable{"24C32", true}),
    [](const auto& info) {
      std::string name = info.param.socket;
      std::replace(name.begin(), name.end(), ',', '_');
      return "chip" + name;
    });

TEST(Program, AShortFileLeavesTheRestOfTheChipErasedAndCostsNoMoreThanItsOwnBytes) {
  // The same 64 bytes, once as a 64-byte file and once at the head of a whole image of FFh.
  const auto accessesFor = [](std::size_t fileBytes) {
    SimulatedApp f(toProgram("27C256", 10, 64));
    f.image.resize(fileBytes);
    f.openImage();
    const auto before = f.board.counters().accesses;
    f.app.Program_button_Click();
    const auto programmed = f.board.counters().accesses - before;
    f.app.Verify_button_Click();
    const auto& cells = f.chip->cells();
    EXPECT_TRUE(std::equal(f.image.begin(), f.image.begin() + 64, cells.begin()));
    EXPECT_EQ(std::count(cells.begin() + 64, cells.end(), 0xFF), 32768 - 64);
    EXPECT_TRUE(f.logged("Device Contents MATCHES with Buffer Contents"));
    EXPECT_EQ(
        f.logged("The file gives 64 of the device's 32768 bytes: the rest stays erased (FFh)"),
        fileBytes == 64);
    return programmed;
  };
  const auto shortFile = accessesFor(64);
  const auto wholeImage = accessesFor(32768);
  EXPECT_NEAR(static_cast<double>(shortFile), static_cast<double>(wholeImage), wholeImage / 100.0);
}

TEST(Program, AFileLongerThanTheChipIsCutOnlyWhenTheOperatorAgrees) {
  for (const bool agreed : {false, true}) {
    SimulatedApp f(toProgram("27C256", 10, 64));
    f.image.resize(40000, 0x00);  // past the chip: bytes that would wrap onto its start
    f.openImage();
    f.dialogs.answers = {true, agreed};  // "Program the Device?", then the cut
    f.app.Program_button_Click();
    EXPECT_TRUE(
        f.logged("The file is 40000 bytes long: its last 7232 bytes do not fit the "
                 "device's 32768 and are not programmed"));
    ASSERT_EQ(f.dialogs.shown.back().title, "File Too Big");
    const auto& cells = f.chip->cells();
    if (agreed) {
      EXPECT_TRUE(std::equal(cells.begin(), cells.end(), f.image.begin()));
      EXPECT_TRUE(f.logged("Programming Device Successfull"));
    } else {
      EXPECT_TRUE(f.chipErased());  // nothing written
      EXPECT_TRUE(f.logged("Programming was Canceled by Operator"));
    }
  }
}

TEST(Program, AStuckBitIsReportedAtItsOwnAddressAndTheRestIsLeftAlone) {
  SimulatedApp f(toProgram("27C512,stuck1@1234=01"));
  f.image[0x1234] = 0xFE;
  f.openImage();
  f.app.panel.VerifyAfterProgramming.checked = true;
  EXPECT_EQ(f.logOf([&] { f.app.Program_button_Click(); }),
            "\r\n12:34:56>  Programming Button Pressed"
            "\r\n12:34:56>  Programming Started... Wait "
            "\r\n12:34:56>  *** Programming Failure ***"
            "\r\n12:34:56>  *** Address:1234h, Programming BYTE:FEh, Read BYTE:FFh"
            "\r\n12:34:56>  *** Aborting Programming - Click on [ERROR] Indicator to Reset");
  EXPECT_TRUE(std::equal(f.image.begin(), f.image.begin() + 0x1234, f.chip->cells().begin()));
  EXPECT_TRUE(std::all_of(f.chip->cells().begin() + 0x1235, f.chip->cells().end(),
                          [](auto cell) { return cell == 0xFF; }));
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kWhite);
  EXPECT_EQ(f.app.panel.Program_label.foreColor, kWhite);
  EXPECT_TRUE(f.boardIdle());
  // The next press does nothing until the operator clears the alert.
  EXPECT_EQ(f.logOf([&] { f.app.click("menuProgramCode"); }).find("Started"), std::string::npos);
}

TEST(Program, CancelWritesNothingAndResetsTheBoard) {
  SimulatedApp f(toProgram("27C010"));
  f.dialogs.answers = {false};
  f.port.clear();
  EXPECT_EQ(f.logOf([&] { f.app.click("Program_button"); }),
            "\r\n12:34:56>  Programming Button Pressed"
            "\r\n12:34:56>  Programming was Canceled by Operator");
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].text, "Program the Device?");
  EXPECT_EQ(f.dialogs.shown[0].title, "Safety Question");
  EXPECT_EQ(f.port.lines.size(), 16u);  // the reset, nothing else
  EXPECT_TRUE(f.chipErased());
  EXPECT_TRUE(f.boardIdle());
}

TEST(Program, AFailedBlankCheckBeforeWritesNothing) {
  SimulatedApp f(toProgram("27C512"));
  f.chip->setCell(0x300, 0x7F);
  f.app.panel.CheckBlankPriorProgramming.checked = true;
  EXPECT_EQ(f.logOf([&] { f.app.Program_button_Click(); }),
            "\r\n12:34:56>  Programming Button Pressed"
            "\r\n12:34:56>  Checking Device for BLANK (Erased)... Wait"
            "\r\n12:34:56>  Device IS NOT BLANK (ERASED)"
            "\r\n12:34:56>  Address: 300 ][ Device Data: 7F"
            "\r\n12:34:56>  Click on [ERROR] alert to Reset the Situation");
  EXPECT_EQ(f.chip->cell(0), 0xFF);
  EXPECT_EQ(std::count(f.chip->cells().begin(), f.chip->cells().end(), 0xFF),
            static_cast<long>(f.chip->size()) - 1);
  EXPECT_TRUE(f.boardIdle());
}

TEST(Program, ABlankChipPassesTheCheckBeforeAndIsProgrammed) {
  SimulatedApp f(toProgram("2764", 10, 256));
  f.app.panel.CheckBlankPriorProgramming.checked = true;
  f.app.Program_button_Click();
  EXPECT_TRUE(f.logged("Device IS BLANK (ERASED)"));
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  EXPECT_TRUE(std::equal(f.image.begin(), f.image.end(), f.chip->cells().begin()));
}

// The routines that read first (the 2732A's) still read every byte once.
TEST(Program, AllErasedBytesWriteNothingAndSucceed) {
  for (const auto& [part, readBacks] : {std::pair{"27C256", 0u}, std::pair{"2732A", 4096u}}) {
    SCOPED_TRACE(part);
    SimulatedApp f(scriptedBoard(part));
    f.app.Program_button_Click();
    EXPECT_EQ(f.readBacks(), readBacks);
    EXPECT_EQ(findRun(f.port.lines, Traffic().write(0, 0xC8).lines), -1);  // no 2732A pulse
    EXPECT_TRUE(f.logged("Programming Device Successfull"));
    EXPECT_EQ(f.platform.sounds.back().filename(), "ok.wav");
  }
}

// The value register 0 is given for programming (the first write after the preparation), and
// the 1500 ms for VPP to settle that 21 and 25 volts add to the half second before every run.
// Voltage button 0 is none chosen: 12.5 V.
TEST(Program, EachVoltageSelectsItsBitsAndTheHighOnesWaitForVppToSettle) {
  for (const auto& [part, model, voltageButton, reg0, elapsedMs] :
       {std::tuple{"2732A", 6, 2, 0x4A, 500 + 1500LL},
        std::tuple{"2732A", 6, 3, 0x4B, 500 + 1500LL}, std::tuple{"2764", 6, 0, 0x58, 500LL},
        // A model 4 board has its own base and no voltage bits.
        std::tuple{"2732A", 4, 3, 0x4C, 500 + 1500LL}}) {
    SCOPED_TRACE(std::string(part) + " on model " + std::to_string(model));
    SimulatedApp f(scriptedBoard(part, model));
    if (voltageButton) f.app.chooseVoltage_button(voltageButton);
    const auto log = f.logOf([&] { f.app.Program_button_Click(); });
    EXPECT_GE(findRun(f.port.lines, Traffic(model).write(0, 0x40).write(0, reg0).lines), 0);
    EXPECT_EQ(log.find("Wait 1500ms second VPP Settling\r\n") != std::string::npos,
              elapsedMs > 500);
    EXPECT_EQ(f.platform.elapsedMs, elapsedMs);
  }
}

TEST(Program, APartOfAnotherVoltageClassNeverGetsTheVoltageBits) {
  SimulatedApp f(scriptedBoard("2732B"));
  f.app.device.ProgVoltage = 25;  // left from an earlier choice
  f.app.Program_button_Click();
  EXPECT_GE(findRun(f.port.lines, Traffic().write(0, 0x40).write(0, 0x48).lines), 0);
}

TEST(Program, CodeAndDataTickedProgramTheChipThenShowTheDataMessage) {
  SimulatedApp f(scriptedBoard("27C256"));
  f.app.panel.CheckData.checked = true;
  f.app.Program_button_Click();
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.dialogs.shown[1].text, "Please Write A90S2313 Program Data Routine");
  EXPECT_EQ(f.dialogs.shown[1].title, "Burnlab");
}

TEST(Program, ADeviceWithoutARoutineIsReportedWithStatusNine) {
  SimulatedApp f(scriptedBoard("27C256"));
  f.app.device.Routines.program = ProgramRoutine::None;  // as the one-time 27C080
  f.app.panel.VerifyAfterProgramming.checked = true;
  const auto log = f.logOf([&] { f.app.Program_button_Click(); });
  EXPECT_EQ(log.rfind("\r\n12:34:56>  Programming Button Pressed"
                      "\r\n12:34:56>  Device Not Supported - Status 9 - Please Report"
                      "\r\n12:34:56>  Verify Function Started... Wait",
                      0),
            0u);
  EXPECT_EQ(f.app.programming.run.ProgramStatus, 9);
  EXPECT_EQ(f.platform.sounds[f.platform.sounds.size() - 2].filename(), "error.wav");
}

TEST(Program, ASerialEepromIsNotBlankCheckedAndEndsWithCeAndOeOn) {
  SimulatedApp f(toProgram("24C08"));
  f.app.panel.CheckBlankPriorProgramming.checked = true;
  f.app.Program_button_Click();
  EXPECT_FALSE(f.logged("Checking Device for BLANK"));
  EXPECT_TRUE(f.serialIdle());
}

TEST(Program, TheBarCountsToNinetyNineOfAHundredAndTheMenuEntryRunsIt) {
  SimulatedApp f(toProgram("2764", 10, 256));
  f.app.panel.ProgressBar1.max = 7;
  f.app.panel.menuProgramCode.enabled = true;
  f.app.click("menuProgramCode");
  EXPECT_TRUE(f.logged("Programming Device Successfull"));
  const auto moves = std::count(f.view.repaints.begin(), f.view.repaints.end(), "ProgressBar1");
  EXPECT_EQ(moves, 1 + 99 + 1);  // to 0 of 100, 99 steps of 82 addresses, back to 0
  EXPECT_EQ(f.app.panel.ProgressBar1.max, 100);
}

TEST(ProgressPacing, BelowNinetyNineAddressesTheBarNeverMoves) {
  SimulatedApp f;
  auto& run = f.app.programming.run;
  run.startProgress(98);
  for (int a = 0; a < 98; ++a) run.GoProgressiveBar1();
  EXPECT_EQ(run.ProgressStep, 0);
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 0);
  run.startProgress(198);
  for (int a = 0; a < 198; ++a) run.GoProgressiveBar1();
  EXPECT_EQ(f.app.panel.ProgressBar1.value, 99);
}

// Program with verify after, as the operator runs it, on a run that must fail: no success and
// no match logged, and the error lamp lit.
void programAndExpectFailure(SimulatedApp& f) {
  f.app.panel.VerifyAfterProgramming.checked = true;
  f.app.Program_button_Click();
  EXPECT_FALSE(f.logged("Programming Device Successfull"));
  EXPECT_FALSE(f.logged("MATCHES"));
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kWhite);
}

TEST(ProgramEeprom, AnX28C256PageThatNeverReadsBackFailsTheRunWithoutVerify) {
  SimulatedApp f(eepromToProgram("X28C256,stuck0@100=80"));
  f.image[0x100] = 0x80;
  f.openImage();
  programAndExpectFailure(f);
  EXPECT_TRUE(f.logged("*** Address:100h, Programming BYTE:80h, Read BYTE:0h"));
  EXPECT_TRUE(f.boardIdle());
}

TEST(ProgramEeprom, AWriteProtected24C16FailsTheRunAtItsFirstByteWhenReadBack) {
  // With WP held high the chip takes every byte and starts no write cycle: the read-back after
  // the last page finds it unwritten.
  SimulatedApp f(eepromToProgram("24C16,wp"));
  f.image[0] = 0x00;
  f.openImage();
  programAndExpectFailure(f);
  EXPECT_EQ(f.app.twoWire.AckError, 0);  // every byte was acknowledged
  EXPECT_EQ(f.app.programming.run.ProgramFailed, 1);
  EXPECT_TRUE(f.logged("*** Programming Failure ***"));
  EXPECT_TRUE(f.logged("*** Address:0h, Programming BYTE:0h, Read BYTE:FFh"));
  EXPECT_FALSE(f.logged("Verify Function Started"));
  EXPECT_EQ(f.chip->cell(0), 0xFF);
}

}  // namespace
}  // namespace burnlab::testing
