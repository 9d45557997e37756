// The setup slots: the slot file as saved, the Load menu's captions, and a restore applying the
// slot's lines with the events they fire, its code file and its failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "shell/setup_slot_file.h"
#include "shell/setup_values.h"
#include "support/buffer_fixture.h"

namespace burnlab::testing {
namespace {

// The stored slots name the device by its list position (Device.Index), as the files hold it.
const int kEprom27256 = rowOf("27256");        // a supported row with all four voltages
const int kSerial24C16 = rowOf("24C16");       // a supported row with 5 V only
const int kFlashAT29C256 = rowOf("AT29C256");  // an "N/A - " row

std::string slotText(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// Everything a slot stores, as one line per control, to compare whole configurations.
std::vector<std::string> configuration(const App& app) {
  const auto& panel = app.panel;
  std::vector<std::string> state{"file " + app.buffers.CodeFileName.string(),
                                 "device " + std::to_string(panel.Device.listIndex),
                                 "port text " + panel.PortSelected.text,
                                 "slider " + std::to_string(panel.Slider1.value)};
  const auto add = [&state](const Control& control) {
    state.push_back(control.name + (control.checked ? " on" : " off"));
  };
  for (const auto& option : panel.Voltage_button) add(option);
  for (const auto& option : panel.LPTSelection) add(option);
  for (const auto& option : panel.HiLow_button) add(option);
  for (const auto* box : {&panel.CheckBlankPriorProgramming, &panel.VerifyAfterProgramming,
                          &panel.CheckCode, &panel.CheckData}) {
    add(*box);
  }
  return state;
}

struct SetupFixture : BufferFixture {
  void name(std::optional<std::string> answer) { dialogs.inputs.push_back(std::move(answer)); }

  std::filesystem::path slot(int number, const std::vector<std::string>& lines) {
    return file("BLSetup" + std::to_string(number) + ".INI", slotText(lines));
  }

  // A configuration unlike the one start-up leaves: 27256 at 21 V, 278h, low byte, speed 7.
  void configureEverything(const std::filesystem::path& codeFile) {
    app.valueChosen("Device", kEprom27256);
    app.click("Voltage_button(2)");
    app.click("CheckBlankPriorProgramming");
    app.click("LPTSelection(1)");
    app.click("HiLow_button(2)");
    app.valueChosen("Slider1", 7);
    ASSERT_TRUE(app.bufferCommands.openCodeFile(codeFile));
    // Disabled for this device, but stored all the same. Loading the file ticked CheckCode.
    app.panel.CheckCode.checked = false;
    app.panel.CheckData.checked = true;
  }

  // Where `line` first stands in the log; past its end when it is not there.
  std::ptrdiff_t logPosition(const std::string& line) const {
    const auto lines = logLines();
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  }
  bool logged(const std::string& line) const { return logPosition(line) < std::ssize(logLines()); }
};

// ---- Saving ----

TEST(SetupSave, WritesTheNineteenLinesInTheirOrderAndTheSetupComesBackWhole) {
  SetupFixture f;
  const auto code = f.file("code.bin", "\xAA\x55\x11");
  f.configureEverything(code);
  const auto saved = configuration(f.app);
  f.name("Bench 27256");
  f.app.click("SaveSetup2");

  EXPECT_EQ(f.dialogs.shown.back().kind, "input");
  EXPECT_EQ(f.dialogs.shown.back().text, "Please input a NAME for this Setup");
  EXPECT_EQ(f.dialogs.shown.back().title, "Saving Name Input");
  EXPECT_EQ(SetupFixture::contents(f.folder.path() / "BLSetup2.INI"),
            slotText({"SetupName = Bench 27256", "sFILE = " + code.string(), "Device.Index = 9",
                      "Voltage_button(0).value = False", "Voltage_button(1).value = False",
                      "Voltage_button(2).value = True", "Voltage_button(3).value = False",
                      "CheckBlankPriorProgramming.Value = 1", "VerifyAfterProgramming.Value = 0",
                      "LPTSelection(0).Value = False", "LPTSelection(1).Value = True",
                      "LPTSelection(2).Value = False", "PortSelected.Text = 278h",
                      "HiLow_button(0).Value = False", "HiLow_button(1).Value = False",
                      "HiLow_button(2).Value = True", "Slider1.Value = 7", "CheckCode.Value = 0",
                      "CheckData.Value = 1"}));
  EXPECT_EQ(f.logLines().back(), "Setup Saved as BLSetup2.INI, named:Bench 27256");

  // Change everything the slot holds, the code file included.
  f.app.valueChosen("Device", kSerial24C16);
  f.app.click("LPTSelection(2)");
  f.app.click("HiLow_button(1)");
  f.app.valueChosen("Slider1", 15);
  f.app.click("CheckBlankPriorProgramming");
  f.app.click("VerifyAfterProgramming");
  ASSERT_TRUE(f.app.bufferCommands.openCodeFile(f.file("other.bin", "\x07\x07")));
  ASSERT_NE(configuration(f.app), saved);

  f.app.menuOpened("Setup");
  f.app.click("LoadSetup2");
  // Loading the slot's code file ticks Code and clears Data after the slot's own lines.
  auto loaded = saved;
  std::replace(loaded.begin(), loaded.end(), std::string("CheckCode off"),
               std::string("CheckCode on"));
  std::replace(loaded.begin(), loaded.end(), std::string("CheckData on"),
               std::string("CheckData off"));
  EXPECT_EQ(configuration(f.app), loaded);
  EXPECT_EQ(f.app.board.PortBase, 0x278);
  EXPECT_EQ(f.app.device.DeviceName, "Eprom 27256");
  EXPECT_EQ(f.app.device.ProgVoltage, 21);
  EXPECT_EQ(f.app.buffers.CodeSize, 3);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0], 0xAA);
  EXPECT_EQ(f.app.panel.FileNameCodeText.caption, code.string());
  EXPECT_TRUE(f.app.panel.FrameVoltageSelection.visible);
  EXPECT_TRUE(f.app.panel.Frame5.visible);
}

TEST(SetupSave, AnEmptyNameBecomesNoNameSetupAndTheMenuShowsIt) {
  SetupFixture f;
  f.name("");
  f.app.click("SaveSetup3");
  EXPECT_EQ(f.logLines().back(), "Setup Saved as BLSetup3.INI, named:No Name Setup 3");

  f.app.menuOpened("Setup");
  EXPECT_TRUE(f.app.panel.LoadSetup3.enabled);
  EXPECT_EQ(f.app.panel.LoadSetup3.caption, "No Name Setup 3");
  for (const auto* other :
       {&f.app.panel.LoadSetup1, &f.app.panel.LoadSetup2, &f.app.panel.LoadSetup4}) {
    EXPECT_FALSE(other->enabled) << other->name;
  }
  // A save with no device chosen stores the list's "none".
  EXPECT_NE(
      SetupFixture::contents(f.folder.path() / "BLSetup3.INI").find("\r\nDevice.Index = -1\r\n"),
      std::string::npos);
}

TEST(SetupSave, CancellingTheNameKeepsTheSlotAndLineBreaksInItCannotSplitTheFile) {
  SetupFixture f;
  const auto stored = f.slot(1, {"SetupName = Kept"});
  f.name(std::nullopt);
  f.app.click("SaveSetup1");
  EXPECT_EQ(SetupFixture::contents(stored), slotText({"SetupName = Kept"}));
  EXPECT_TRUE(f.logLines().empty());

  // Line breaks in the name cannot split the file.
  f.name("two\r\nDevice.Index = 3");
  f.app.click("SaveSetup1");
  const auto lines = textLines(SetupFixture::contents(f.folder.path() / "BLSetup1.INI"));
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[0], "SetupName = two  Device.Index = 3");
  EXPECT_EQ(lines[2], "Device.Index = -1");
}

TEST(SetupSave, AFolderThatCannotBeWrittenIsReportedAndLeavesNoFile) {
  SetupFixture f;
  f.platform.working = f.folder.path() / "missing";
  f.name("Lost");
  f.app.click("SaveSetup4");
  EXPECT_TRUE(f.logLines().back().starts_with("Setup File BLSetup4.INI could not be saved: "))
      << f.logLines().back();
  ASSERT_FALSE(f.dialogs.shown.empty());
  EXPECT_EQ(f.dialogs.shown.back().kind, "message");
  EXPECT_EQ(f.dialogs.shown.back().title, "Setup Not Saved");
  EXPECT_FALSE(f.logged("Setup Saved as BLSetup4.INI, named:Lost"));
}

// ---- The Load menu ----

TEST(SetupMenu, CaptionsComeFromTheFirstLineFromItsThirteenthCharacterAndFollowTheFiles) {
  SetupFixture f;
  // A file named in another letter case is found, and restored below.
  f.file("BLSETUP1.INI", slotText({"SetupName = Production", "Slider1.Value = 3"}));
  const auto second = f.slot(2, {"Name:       Hand written", "Device.Index = 3"});  // no prefix
  f.slot(4, {"short"});
  f.app.panel.LoadSetup3.caption = "Old caption";

  f.app.menuOpened("Setup");
  EXPECT_EQ(f.app.panel.LoadSetup1.caption, "Production");
  EXPECT_EQ(f.app.panel.LoadSetup2.caption, "Hand written");
  EXPECT_EQ(f.app.panel.LoadSetup4.caption, "");
  EXPECT_TRUE(f.app.panel.LoadSetup4.enabled);
  // A slot without a file can't be chosen and keeps its last caption.
  EXPECT_FALSE(f.app.panel.LoadSetup3.enabled);
  EXPECT_EQ(f.app.panel.LoadSetup3.caption, "Old caption");
  EXPECT_GT(f.view.changes, 0);
  f.app.click("LoadSetup1");
  EXPECT_EQ(f.app.panel.Slider1.value, 3);
  EXPECT_TRUE(f.logged("SETUP RESTORED FROM BLSetup1.INI"));
  // A slot deleted since the last opening is disabled again.
  ASSERT_TRUE(f.app.panel.LoadSetup2.enabled);
  std::filesystem::remove(second);
  f.app.menuOpened("Setup");
  EXPECT_FALSE(f.app.panel.LoadSetup2.enabled);
}

// ---- Restoring ----

TEST(SetupRestore, LinesApplyInFileOrderBetweenTheRestoreLines) {
  SetupFixture f;
  ASSERT_EQ(f.app.board.PortBase, 0x378);
  f.slot(1, {"SetupName = Port move", "sFILE = ", "Device.Index = 9",
             "Voltage_button(0).value = False", "Voltage_button(1).value = False",
             "Voltage_button(2).value = False", "Voltage_button(3).value = True",
             "LPTSelection(0).Value = False", "LPTSelection(1).Value = False",
             "LPTSelection(2).Value = True", "PortSelected.Text = 3BCh"});
  f.app.click("LoadSetup1");

  EXPECT_EQ(f.app.board.PortBase, 0x3BC);
  // Where each line stands in the log, in the order they must come.
  std::vector<std::ptrdiff_t> at;
  for (const auto* line : {"RESTORING SETUP FROM BLSetup1.INI", "Device Eprom 27256 was Selected",
                           "BE CAREFULL!!! You just Selected Programming Voltage as 25 Volts!!!",
                           "Port Selection changed to 3BCh", "SETUP RESTORED FROM BLSetup1.INI"}) {
    at.push_back(f.logPosition(line));
  }
  const auto lines = f.logLines();
  ASSERT_LT(at.back(), std::ssize(lines));
  EXPECT_TRUE(std::ranges::is_sorted(at)) << ::testing::PrintToString(at);
  EXPECT_EQ(lines[static_cast<std::size_t>(at.front() - 1)], ">>>>>>>>>>>>");
  EXPECT_EQ(lines.back(), ">>>>>>>>>>>>");
  // The device's own voltage suggestion was overridden by the later lines.
  EXPECT_EQ(f.app.device.ProgVoltage, 25);
  EXPECT_TRUE(f.app.panel.Voltage_button[3].checked);
  EXPECT_FALSE(f.app.panel.Voltage_button[1].checked);
}

TEST(SetupRestore, NoDeviceADeviceIndexOutsideTheListOrOnAnUnsupportedRowLeavesNone) {
  // -1 is what a slot saved without a device holds.
  for (const auto& index :
       {std::string("-1"), std::to_string(kFlashAT29C256), std::string("500")}) {
    SetupFixture f;
    f.app.valueChosen("Device", kEprom27256);
    ASSERT_EQ(f.app.panel.Device.listIndex, kEprom27256);
    f.slot(1, {"SetupName = x", "Device.Index = " + index});
    f.app.click("LoadSetup1");
    EXPECT_EQ(f.app.panel.Device.listIndex, -1) << index;
  }
}

TEST(SetupRestore, AnEmptyFileLineLoadsNoFile) {
  SetupFixture f;
  ASSERT_TRUE(f.app.bufferCommands.openCodeFile(f.file("earlier.bin", "\x01")));
  const auto before = f.logLines();
  const auto reads =
      std::count(before.begin(), before.end(), "You can Install a Blank Eprom for Programming");
  f.slot(1, {"SetupName = No file", "sFILE = "});
  EXPECT_TRUE(f.app.setups.loadSlot(1));

  EXPECT_TRUE(f.app.buffers.CodeFileName.empty());
  EXPECT_EQ(f.app.panel.FileNameCodeText.caption, "");  // the empty name, as the slot has it
  const auto lines = f.logLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "You can Install a Blank Eprom for Programming"),
            reads);
}

TEST(SetupRestore, AnSRecordCodeFileLoadsWithoutTheOpenCommandsLampAndDisplayChanges) {
  SetupFixture f;
  f.app.buffers.EraseCode();
  // Two bytes at 10h, under a name that says nothing of the format.
  const auto code = f.file("code.img", "S1050010ABCD72\r\n");
  f.slot(1, {"SetupName = Alert", "sFILE = " + code.string(), "CheckCode.Value = 0",
             "CheckData.Value = 1"});
  f.app.lamps.RaiseErrorAlert();
  f.app.hexDisplay.DisplaySource = "DisplayEprom";
  ASSERT_TRUE(f.app.setups.loadSlot(1));

  EXPECT_EQ(f.app.buffers.CodeSize, 0x12);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x0F], 0xFF);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x10], 0xAB);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x11], 0xCD);
  EXPECT_EQ(f.app.panel.Error_label.foreColor, kWhite);  // the alert stays until clicked
  EXPECT_EQ(f.app.hexDisplay.DisplaySource, "DisplayEprom");
  EXPECT_TRUE(f.app.panel.CheckCode.checked);
  EXPECT_FALSE(f.app.panel.CheckData.checked);
}

TEST(SetupRestore, ACodeFileThatIsGoneIsReportedAndTheBufferStays) {
  SetupFixture f;
  const auto earlier = f.file("earlier.bin", "\x42\x43");
  ASSERT_TRUE(f.app.bufferCommands.openCodeFile(earlier));
  f.slot(1, {"SetupName = Gone", "sFILE = " + (f.folder.path() / "gone.bin").string(),
             "Slider1.Value = 4"});
  EXPECT_FALSE(f.app.setups.loadSlot(1));

  EXPECT_EQ(f.app.panel.Slider1.value, 4);  // the rest of the slot applied
  EXPECT_EQ(f.app.buffers.CodeFileName, earlier);
  EXPECT_EQ(f.app.buffers.CodeSize, 2);
  EXPECT_EQ(f.dialogs.shown.back().title, "File Not Opened");
  EXPECT_EQ(f.logLines().back(), ">>>>>>>>>>>>");
}

TEST(SetupRestore, AMalformedLineIsSkippedAndTheOthersApply) {
  SetupFixture f;
  f.app.valueChosen("Device", kEprom27256);
  f.slot(1, {"SetupName = Damaged", "Device.Index = ten", "Voltage_button(2).value = Maybe",
             "CheckBlankPriorProgramming.Value = 7", "Slider1.Value = 99",
             "HiLow_button(1).Value = True", "CheckData.Value = 1"});
  f.app.click("LoadSetup1");

  for (const auto* line :
       {"Setup Line Skipped - bad value for Device.Index: \"ten\"",
        "Setup Line Skipped - bad value for Voltage_button(2).value: \"Maybe\"",
        "Setup Line Skipped - bad value for CheckBlankPriorProgramming.Value: \"7\"",
        "Setup Line Skipped - bad value for Slider1.Value: \"99\""}) {
    EXPECT_TRUE(f.logged(line)) << line;
  }
  EXPECT_EQ(f.app.panel.Device.listIndex, kEprom27256);
  EXPECT_FALSE(f.app.panel.Voltage_button[2].checked);
  EXPECT_EQ(f.app.panel.Slider1.value, 18);
  EXPECT_TRUE(f.app.panel.HiLow_button[1].checked);
  EXPECT_FALSE(f.app.panel.HiLow_button[0].checked);
  EXPECT_TRUE(f.app.panel.CheckData.checked);
}

TEST(SetupRestore, ASlotThatCannotBeReadChangesNothing) {
  SetupFixture f;
  f.configureEverything(f.file("code.bin", "\x01"));
  const auto before = configuration(f.app);
  const auto logged = f.logLines().size();
  std::filesystem::create_directory(f.folder.path() / "BLSetup3.INI");  // not a file

  EXPECT_FALSE(f.app.setups.loadSlot(3));
  EXPECT_FALSE(f.app.setups.loadSlot(4));  // no file at all
  EXPECT_EQ(configuration(f.app), before);
  const auto lines = f.logLines();
  ASSERT_EQ(lines.size(), logged + 2);
  EXPECT_TRUE(lines[logged].starts_with("Setup File BLSetup3.INI could not be read: "))
      << lines[logged];
  EXPECT_TRUE(lines[logged + 1].starts_with("Setup File BLSetup4.INI could not be read: "));
  EXPECT_EQ(f.dialogs.shown.back().title, "Setup Not Restored");
}

TEST(SetupRestore, TheSliderRunsItsChangeHandlerSoTheDelaysFollowIt) {
  SetupFixture f;
  f.app.valueChosen("Device", kEprom27256);
  f.app.valueChosen("Slider1", 5);
  const auto atFive = std::tuple(f.app.board.ShortDelayCount, f.app.board.MediumDelayCount,
                                 f.app.board.LongDelayCount);
  f.app.valueChosen("Slider1", 18);
  f.slot(1, {"SetupName = Slow", "Slider1.Value = 5"});
  f.platform.sounds.clear();
  f.app.click("LoadSetup1");

  EXPECT_EQ(std::tuple(f.app.board.ShortDelayCount, f.app.board.MediumDelayCount,
                       f.app.board.LongDelayCount),
            atFive);
  EXPECT_TRUE(f.logged("Program Speed Slider set to: 5"));
  EXPECT_EQ(f.platform.sounds.size(), 1u);
}

TEST(SetupRestore, KeysAreMatchedExactlyAndTheNameLineIsIgnored) {
  SetupFixture f;
  f.slot(1, {"SetupName = Slider1.Value = 2", "slider1.Value = 3", "Voltage_button(1).Value = True",
             "LPTSelection(1).value = True"});
  f.app.click("LoadSetup1");
  EXPECT_EQ(f.app.panel.Slider1.value, 18);
  EXPECT_FALSE(f.app.panel.Voltage_button[1].checked);
  EXPECT_TRUE(f.app.panel.LPTSelection[0].checked);
}

// ---- Values ----

TEST(SetupValues, NumbersRoundToTheNearestAndStayInRange) {
  EXPECT_EQ(parseSetupInteger<std::int16_t>("12"), 12);
  EXPECT_EQ(parseSetupInteger<std::int16_t>(" -1 "), -1);
  EXPECT_EQ(parseSetupInteger<std::int16_t>("2.5"), 2);  // halves go to the even neighbour
  EXPECT_EQ(parseSetupInteger<std::int16_t>("3.5"), 4);
  EXPECT_EQ(parseSetupInteger<std::int16_t>("40000"), std::nullopt);
  EXPECT_EQ(parseSetupInteger<std::int32_t>("40000"), 40000);
  for (const auto* bad : {"", " ", "ten", "1O", "inf", "nan", "0x10", "--1"}) {
    EXPECT_EQ(parseSetupNumber(bad), std::nullopt) << bad;
  }
}

TEST(SetupValues, BooleansAndCheckStates) {
  EXPECT_EQ(parseSetupBoolean("True"), true);
  EXPECT_EQ(parseSetupBoolean("FALSE"), false);
  EXPECT_EQ(parseSetupBoolean("-1"), true);
  EXPECT_EQ(parseSetupBoolean("0"), false);
  EXPECT_EQ(parseSetupBoolean("Yes"), std::nullopt);
  EXPECT_EQ(parseSetupCheckState("0"), false);
  EXPECT_EQ(parseSetupCheckState("1"), true);
  EXPECT_EQ(parseSetupCheckState("2"), false);  // grey: not ticked
  EXPECT_EQ(parseSetupCheckState("3"), std::nullopt);
}

}  // namespace
}  // namespace burnlab::testing
