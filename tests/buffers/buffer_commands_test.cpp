// Opening, saving and erasing the code and data buffers.
#include <gtest/gtest.h>

#include "support/buffer_fixture.h"
#include "support/file_size_limit.h"

namespace burnlab::testing {
namespace {

using Icon = Dialogs::Icon;

TEST(OpenCode, AShortFileOnASelectedDeviceSetsTheSizeToTheFileAndKeepsTheRest) {
  BufferFixture f;
  f.app.device.DeviceCode = "P4";
  f.app.buffers.CodeSize = 8192;
  f.app.buffers.EraseCode();
  f.app.hexDisplay.setScrollMax(31);
  f.app.hexDisplay.setScrollValue(5);
  const auto image = f.file("short.bin", std::string(100, '\x5A'));
  f.choose(image);

  f.app.bufferCommands.mnuFileOpenCode_Click();

  EXPECT_EQ(f.dialogs.shown.at(0).title, "Open Code File");
  EXPECT_EQ(f.dialogs.filters.at(0), "All Files (*.*)|*.*");
  EXPECT_EQ(f.app.buffers.CodeSize, 100);
  EXPECT_EQ(f.app.buffers.CodeBuffer[99], 0x5A);
  EXPECT_EQ(f.app.buffers.CodeBuffer[100], 0xFF);
  EXPECT_EQ(f.app.buffers.CodeLoaded, 1);
  EXPECT_EQ(f.panel.FileNameCodeSize.caption, "(100 Bytes)");
  EXPECT_EQ(f.panel.FileNameCodeText.caption, image.string());
  EXPECT_EQ(f.panel.VScroll1.max, -1);
  EXPECT_EQ(f.panel.VScroll1.value, 0);
  EXPECT_EQ(f.panel.BufferDisplay.text.substr(2, 62),
            "000000| 5A5A5A5A 5A5A5A5A 5A5A5A5A 5A5A5A5A | ZZZZZZZZZZZZZZZZ");
  EXPECT_EQ(f.logLines(), (std::vector<std::string>{
                              "File " + image.string() + " - was read into Buffer. 100 bytes long.",
                              "You can Install a Blank Eprom for Programming",
                              "Raw file, CRC-32 9748744C, byte sum 2328 of 100 bytes"}));
  EXPECT_TRUE(f.panel.Verify_button.enabled && f.panel.menuVerifyCode.enabled &&
              f.panel.Program_button.enabled && f.panel.menuProgramCode.enabled);
  EXPECT_EQ(f.panel.DataFlow_label.foreColor, kGreyText);
  EXPECT_EQ(f.panel.sbStatusBar[0].text, "");
  EXPECT_EQ(f.platform.sounds.back().filename(), "done.wav");
  // The wait text is drawn before the read, which does not return to the event loop.
  EXPECT_NE(std::find(f.view.repaints.begin(), f.view.repaints.end(), "BufferDisplay"),
            f.view.repaints.end());

  // A later save writes back exactly the file's 100 bytes, without asking.
  f.app.buffers.CodeBuffer[0] = 0x01;
  const auto dialogsBefore = f.dialogs.shown.size();
  f.app.bufferCommands.mnuFileSaveCode_Click();
  EXPECT_EQ(f.dialogs.shown.size(), dialogsBefore);
  EXPECT_EQ(readAll(image), "\x01" + std::string(99, '\x5A'));
  EXPECT_EQ(f.logLines().back(), "File Sucessfully Saved as " + image.string());
}

TEST(OpenCode, WithoutADeviceEnablesSavingAndErasingButNotVerifyOrProgram) {
  BufferFixture f;
  for (auto* command :
       {&f.panel.Verify_button, &f.panel.Program_button, &f.panel.menuVerifyCode,
        &f.panel.menuProgramCode, &f.panel.mnuFileSaveCode, &f.panel.mnuFileSaveCodeAs,
        &f.panel.Erase_button, &f.panel.menuEraseCode, &f.panel.tbToolBar[1]}) {
    command->enabled = false;
  }
  f.panel.CheckData.checked = true;
  f.app.bufferCommands.openCodeFile(f.file("a.bin", std::string(600, 'a')));

  EXPECT_FALSE(f.panel.Verify_button.enabled || f.panel.Program_button.enabled ||
               f.panel.menuVerifyCode.enabled || f.panel.menuProgramCode.enabled);
  EXPECT_TRUE(f.panel.mnuFileSaveCode.enabled && f.panel.mnuFileSaveCodeAs.enabled &&
              f.panel.Erase_button.enabled && f.panel.menuEraseCode.enabled &&
              f.panel.tbToolBar[1].enabled);
  EXPECT_TRUE(f.panel.CheckCode.checked);
  EXPECT_FALSE(f.panel.CheckData.checked);
  EXPECT_FALSE(f.panel.CheckCode.enabled || f.panel.CheckData.enabled);
  EXPECT_EQ(f.panel.VScroll1.max, 1);
}

TEST(OpenCode, DarkensAnErrorAlertButLeavesTheLockedButtonsLocked) {
  BufferFixture f;
  f.panel.Program_button.enabled = true;
  f.app.lamps.RaiseErrorAlert();
  f.app.bufferCommands.openCodeFile(f.file("a.bin", "abc"));
  EXPECT_EQ(f.panel.Error_label.foreColor, kGreyText);
  EXPECT_FALSE(f.panel.Program_button.enabled);
}

TEST(OpenCode, ACancelledDialogChangesNothing) {
  BufferFixture f;
  f.app.bufferCommands.tbToolBar_ButtonClick("OpenCode");
  EXPECT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.app.buffers.CodeSize, 0);
  EXPECT_EQ(f.panel.FileNameCodeText.caption, "Click To Select a File");
  EXPECT_TRUE(f.logLines().empty());
}

TEST(OpenCode, TheFileLabelOpensAFileOnlyWhileItInvitesOneToBeChosen) {
  BufferFixture f;
  f.choose(f.file("a.bin", "abc"));
  f.app.bufferCommands.FileNameCodeText_Click();
  EXPECT_EQ(f.app.buffers.CodeSize, 3);
  f.app.bufferCommands.FileNameCodeText_Click();
  EXPECT_EQ(f.dialogs.shown.size(), 1u);
}

TEST(OpenCode, AnEmptyFileIsRefused) {
  LoadedCodeFile f;
  const auto empty = f.file("empty.bin", "");
  EXPECT_FALSE(f.app.bufferCommands.openCodeFile(empty));
  EXPECT_EQ(f.logLines().back(), "File " + empty.string() + " is 0 bytes long - Will Not Open");
  EXPECT_EQ(f.dialogs.shown.back().text, "Can't Open Empty File " + empty.string());
  EXPECT_EQ(f.dialogs.icons.back(), Icon::Exclamation);
  f.expectNothingChanged();
}

TEST(OpenCode, AFileLongerThanTheBufferIsRefused) {
  LoadedCodeFile f;
  const auto big = f.file("big.bin", std::string(2'100'002, '\x11'));
  f.choose(big);
  f.app.bufferCommands.mnuFileOpenCode_Click();
  EXPECT_EQ(f.logLines().back(), "File " + big.string() +
                                     " is 2100002 bytes long, bigger than the 2100001 allowed - "
                                     "Will Not Open");
  EXPECT_EQ(f.dialogs.shown.back().title, "Code File Too Big");
  f.expectNothingChanged();
}

TEST(OpenCode, AFileThatCannotBeReadIsRefusedWithTheReason) {
  LoadedCodeFile f;
  const auto missing = f.folder.path() / "missing.bin";
  EXPECT_FALSE(f.app.bufferCommands.openCodeFile(missing));
  EXPECT_EQ(
      f.logLines().back(),
      "File " + missing.string() + " could not be read: No such file or directory - Will Not Open");
  EXPECT_FALSE(f.app.bufferCommands.openCodeFile(f.folder.path()));
  EXPECT_EQ(f.dialogs.shown.back().text,
            "Can't Open File " + f.folder.path().string() + ": Is a directory");
  f.expectNothingChanged();
}

// Every byte value is loaded and saved back unchanged in LoadedCodeFile's expectNothingChanged.
TEST(SaveCode, AsksForANameOnlyTheFirstTimeButSaveAsAlwaysAsks) {
  BufferFixture f;
  f.app.buffers.CodeSize = 4;
  f.choose(f.folder.path() / "first.bin");
  f.app.bufferCommands.tbToolBar_ButtonClick("SaveCode");
  f.app.bufferCommands.mnuFileSaveCode_Click();
  f.choose(f.folder.path() / "second.bin");
  f.app.bufferCommands.mnuFileSaveCodeAs_Click();
  f.app.bufferCommands.mnuFileSaveCodeAs_Click();  // cancelled

  ASSERT_EQ(f.dialogs.shown.size(), 3u);
  EXPECT_EQ(f.dialogs.shown[0].title, "Save CODE BUFFER ...");
  EXPECT_EQ(f.dialogs.shown[1].title, "Save CODE BUFFER As...");
  EXPECT_EQ(f.dialogs.shown[2].title, "Save CODE BUFFER As...");
  EXPECT_EQ(readAll(f.folder.path() / "first.bin"), std::string(4, '\0'));
  EXPECT_EQ(f.app.buffers.CodeFileName, f.folder.path() / "second.bin");
  EXPECT_EQ(f.panel.FileNameCodeText.caption, (f.folder.path() / "second.bin").string());
}

TEST(SaveCode, AFailedSaveIsReportedAndKeepsTheNameAndTheOldFile) {
  BufferFixture f;
  const auto image = f.file("image.bin", "original contents");
  f.app.bufferCommands.openCodeFile(image);
  const auto target = f.folder.path() / "no-such-folder" / "x.bin";
  f.choose(target);
  f.app.bufferCommands.mnuFileSaveCodeAs_Click();

  EXPECT_EQ(f.logLines().back(),
            "File " + target.string() + " could not be saved: No such file or directory");
  EXPECT_EQ(f.dialogs.shown.back().title, "File Not Saved");
  EXPECT_EQ(f.app.buffers.CodeFileName, image);
  EXPECT_EQ(f.panel.FileNameCodeText.caption, image.string());
  EXPECT_EQ(f.panel.sbStatusBar[0].text, "");
}

// A disk that fills up part-way through the save: the old file stays byte for byte.
TEST(SaveCode, ADiskThatFillsUpLeavesTheOldFileAsItWas) {
  BufferFixture f;
  const auto old = std::string(3000, 'o');
  const auto image = f.file("image.bin", old);
  f.app.bufferCommands.openCodeFile(f.file("new.bin", std::string(5000, 'n')));
  f.app.buffers.CodeFileName = image;

  {
    const FileSizeLimit limit(1024);
    f.app.bufferCommands.mnuFileSaveCode_Click();
  }

  EXPECT_EQ(readAll(image), old);
  EXPECT_EQ(f.dialogs.shown.back().title, "File Not Saved");
  EXPECT_NE(f.logLines().back().find("could not be saved: File too large"), std::string::npos);
}

TEST(OpenData, AFileOfTheLimitIsLoadedAndOneByteMoreIsRefused) {
  BufferFixture f;
  const auto fits = f.file("fits.bin", std::string(8192, '\x22'));
  f.choose(fits);
  f.app.bufferCommands.tbToolBar_ButtonClick("OpenData");
  EXPECT_EQ(f.dialogs.shown.back().title, "Open Data File (eeprom)");
  EXPECT_EQ(f.app.buffers.DataSize, 8192);
  EXPECT_EQ(f.app.buffers.DataBuffer[8191], 0x22);
  EXPECT_EQ(f.app.buffers.DataLoaded, 1);
  EXPECT_EQ(f.panel.FileNameDataText.caption, fits.string());
  EXPECT_EQ(f.logLines().front(),
            "File " + fits.string() + " - was read into DataBuffer. 8192 bytes long.");
  EXPECT_TRUE(f.panel.tbToolBar[4].enabled && f.panel.mnuFileSaveData.enabled &&
              f.panel.menuVerifyData.enabled && f.panel.menuProgramData.enabled);
  EXPECT_TRUE(f.platform.sounds.size() == 1);  // only the start-up sound

  const auto over = f.file("over.bin", std::string(8193, '\x33'));
  f.choose(over);
  f.app.bufferCommands.mnuFileOpenData_Click();
  EXPECT_EQ(f.logLines().back(),
            "Data File Size is 8193 bytes, bigger than the 8192 allowed - Will Not Open");
  EXPECT_EQ(f.dialogs.shown.back().kind, "message");
  EXPECT_EQ(f.dialogs.shown.back().title, "Data File to Big");
  EXPECT_EQ(f.dialogs.shown.back().text, "Can't Open Data File Bigger than 8192 Bytes");
  EXPECT_EQ(f.dialogs.icons.back(), Icon::Exclamation);
  EXPECT_EQ(f.app.buffers.DataSize, 8193);
  EXPECT_EQ(f.app.buffers.DataBuffer[0], 0x22);
  EXPECT_EQ(f.panel.FileNameDataText.caption, over.string());
  EXPECT_EQ(f.panel.DataFlow_label.foreColor, kWhite);

  // Save Data, still enabled, writes DataSize bytes but never more than the buffer holds.
  f.app.bufferCommands.tbToolBar_ButtonClick("SaveData");
  EXPECT_EQ(readAll(over), std::string(8192, '\x22') + '\0');
  const auto huge = f.file("huge.bin", std::string(10'000, '\x44'));
  f.app.bufferCommands.openDataFile(huge);
  f.app.bufferCommands.mnuFileSaveData_Click();
  EXPECT_EQ(readAll(huge).size(), 8292u);
}

TEST(OpenData, AnUnreadableFileKeepsTheNameAndLabelAsTheyWere) {
  BufferFixture f;
  f.app.bufferCommands.openDataFile(f.folder.path() / "missing.bin");
  EXPECT_TRUE(f.app.buffers.DataFileName.empty());
  EXPECT_EQ(f.panel.FileNameDataText.caption, "Click To Select a File");
  EXPECT_EQ(f.app.buffers.DataSize, 0);
  EXPECT_EQ(f.dialogs.shown.back().title, "File Not Opened");
  EXPECT_EQ(f.panel.DataFlow_label.foreColor, kGreyText);
}

TEST(SaveData, AsksOnceWritesDataSizeBytesAndReportsTheName) {
  BufferFixture f;
  f.app.bufferCommands.openDataFile(f.file("d.bin", "0123456789"));
  f.app.buffers.DataFileName.clear();
  f.choose(f.folder.path() / "saved.bin");
  f.app.bufferCommands.mnuFileSaveData_Click();
  EXPECT_EQ(f.dialogs.shown.back().title, "Save DATA Buffer ...");
  EXPECT_EQ(readAll(f.folder.path() / "saved.bin"), "0123456789");
  EXPECT_EQ(f.panel.FileNameDataText.caption, (f.folder.path() / "saved.bin").string());
  EXPECT_EQ(f.logLines().back(),
            "File Sucessfully Saved as " + (f.folder.path() / "saved.bin").string());
}

// Each buffer is erased to one byte past a mebibyte and past the data file limit, and no further.
TEST(EraseBuffer, ErasesEachCheckedBufferAndLogsEachTime) {
  BufferFixture f;
  f.panel.CheckCode.checked = true;
  f.panel.CheckData.checked = true;
  f.panel.Verify_button.enabled = f.panel.Program_button.enabled = true;
  f.panel.menuVerifyData.enabled = f.panel.menuProgramCode.enabled = true;
  f.app.buffers.CodeBuffer[1'048'577] = 0x44;

  f.app.bufferCommands.Erase_button_Click();

  EXPECT_EQ(f.logLines(),
            (std::vector<std::string>{"Buffer has been Erased", "Buffer has been Erased"}));
  EXPECT_EQ(f.app.buffers.CodeBuffer[1'048'576], 0xFF);
  EXPECT_EQ(f.app.buffers.CodeBuffer[1'048'577], 0x44);
  EXPECT_EQ(f.app.buffers.DataBuffer[8192], 0xFF);
  EXPECT_EQ(f.app.buffers.DataBuffer[8193], 0x00);
  EXPECT_FALSE(f.panel.Verify_button.enabled || f.panel.Program_button.enabled ||
               f.panel.menuVerifyData.enabled || f.panel.menuProgramCode.enabled);
  EXPECT_EQ(f.app.hexDisplay.DisplaySource, "Read");
  EXPECT_EQ(f.panel.BufferDisplay.text.substr(2, 62),
            "000000| FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF | ................");

  f.panel.CheckCode.checked = false;
  f.app.bufferCommands.menuEraseCode_Click();
  EXPECT_EQ(f.logLines().size(), 3u);
  f.app.bufferCommands.menuEraseData_Click();
  EXPECT_EQ(f.logLines().size(), 3u);
}

TEST(FileMenu, CloseOnlyShowsItsMessage) {
  BufferFixture f;
  f.app.bufferCommands.mnuFileClose_Click();
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].text, "Add 'mnuFileClose_Click' code.");
}

}  // namespace
}  // namespace burnlab::testing
