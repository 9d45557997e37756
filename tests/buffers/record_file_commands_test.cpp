// Open, Save and Save As with Intel HEX and S-record files.
#include <gtest/gtest.h>

#include "buffers/intel_hex.h"
#include "buffers/s_record.h"
#include "support/buffer_fixture.h"
#include "support/record_reference.h"

namespace burnlab::testing {
namespace {

TEST(OpenRecordFile, HexBytesLandAtTheirAddressesAndTheHolesKeepTheErasedBytes) {
  LoadedCodeFile f;
  // Bytes 11h 22h at 100h and one 33h at 2FFh: a non-zero start, a hole, an end mid-page.
  const auto hex = f.file("prog.hex", ":020100001122CA\r\n:0102FF0033CB\r\n:00000001FF\r\n");
  f.choose(hex);
  f.app.bufferCommands.mnuFileOpenCode_Click();

  const auto& buffers = f.app.buffers;
  EXPECT_EQ(buffers.CodeSize, 0x300);
  EXPECT_EQ(buffers.CodeBuffer[0x00], 0x00) << "the raw file's bytes below the start stay";
  EXPECT_EQ(buffers.CodeBuffer[0x100], 0x11);
  EXPECT_EQ(buffers.CodeBuffer[0x101], 0x22);
  EXPECT_EQ(buffers.CodeBuffer[0x102], 0x02) << "the earlier file's byte is kept in a hole";
  EXPECT_EQ(buffers.CodeBuffer[0x200], 0xFF) << "a hole in the erased buffer";
  EXPECT_EQ(buffers.CodeBuffer[0x2FF], 0x33);
  EXPECT_EQ(f.panel.FileNameCodeSize.caption, "(768 Bytes)");
  EXPECT_EQ(f.panel.VScroll1.max, 2);
  const auto lines = f.logLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3],
            "File " + hex.string() + " - was read into Buffer. 768 bytes long.");
  EXPECT_EQ(lines.back().substr(0, 23), "Intel HEX file, CRC-32 ");
  EXPECT_NE(lines.back().find(" of 768 bytes"), std::string::npos);
}

TEST(OpenRecordFile, AMalformedFileIsRefusedWithItsLineAndChangesNothing) {
  LoadedCodeFile f;
  struct Case {
    const char* name;
    std::string text;
    std::string why;
  };
  const std::vector<Case> cases{
      {"checksum.hex", ":0100000011EE\n:0100010022DD\n:00000001FF\n",
       "Intel HEX file %, line 2: the checksum is DDh, the record's bytes need DCh"},
      {"digit.hex", ":0100000011EE\n:01000100x2DD\n:00000001FF\n",
       "Intel HEX file %, line 2: 'x' is not a hex digit"},
      {"record.s19", "S0030000FC\nS1050000112233\nS9030000FC\n",
       "S-record file %, line 2: the checksum is 33h, the record's bytes need C7h"},
      {"beyond.hex", ":020000040021D9\n:0100000011EE\n:00000001FF\n",
       "Intel HEX file %, line 2: address 210000h lies beyond the 2100001 bytes there is room "
       "for"},
  };
  for (const auto& c : cases) {
    const auto bad = f.file(c.name, c.text);
    auto why = c.why;
    why.replace(why.find('%'), 1, bad.string());
    f.choose(bad);
    f.app.bufferCommands.mnuFileOpenCode_Click();
    EXPECT_EQ(f.logLines().back(), why + " - Will Not Open");
    EXPECT_EQ(f.dialogs.shown.back().text, "Can't Open " + why);
    EXPECT_EQ(f.dialogs.shown.back().title, "File Not Opened");
    f.expectNothingChanged();
  }

  // An end record alone: a file of some length that gives no bytes.
  const auto empty = f.file("empty.hex", ":00000001FF\n");
  f.choose(empty);
  f.app.bufferCommands.mnuFileOpenCode_Click();
  EXPECT_EQ(f.logLines().back(), "Intel HEX file " + empty.string() +
                                     ", the file holds no data records - Will Not Open");
  f.expectNothingChanged();
}

TEST(OpenRecordFile, ARawFileNamedHexIsRefusedWhereItStopsBeingTextUnlessRawIsChosen) {
  LoadedCodeFile f;
  const auto rawHex = f.file("raw.hex", ":0100000011EE\n\x01\x02:\x03");
  EXPECT_FALSE(f.app.bufferCommands.openCodeFile(rawHex));
  EXPECT_EQ(f.logLines().back(),
            "Intel HEX file " + rawHex.string() +
                ", line 2: column 1: byte 01h is not record text - Will Not Open");
  f.expectNothingChanged();

  f.app.buffers.chosenFormat = ImageFormat::Raw;
  EXPECT_TRUE(f.app.bufferCommands.openCodeFile(rawHex));
  EXPECT_EQ(f.app.buffers.CodeSize, 18);
  EXPECT_EQ(f.app.buffers.CodeBuffer[0], ':');
  EXPECT_EQ(f.logLines().back().substr(0, 17), "Raw file, CRC-32 ");
}

TEST(OpenRecordFile, AnSRecordFileWithoutItsEndRecordLoadsWithOneWarningLine) {
  LoadedCodeFile f;
  // With its end record the same file gives no warning.
  EXPECT_TRUE(f.app.bufferCommands.openCodeFile(f.file("whole.s19", "S104000011EA\nS9030000FC\n")));
  const auto cut = f.file("cut.s19", "S104000011EA\n");
  EXPECT_TRUE(f.app.bufferCommands.openCodeFile(cut));
  EXPECT_EQ(f.app.buffers.CodeBuffer[0], 0x11);
  EXPECT_EQ(f.app.buffers.CodeSize, 1);
  const auto lines = f.logLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const auto& line) { return line.starts_with("Warning: "); }),
            1);
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Warning: S-record file " + cut.string() +
                          ": it has no end record (S7, S8 or S9): it may have been cut short"),
            lines.end());
}

TEST(SaveRecordFile, SaveAsWritesCodeSizeBytesFromZeroInTheFormatTheNameAsksFor) {
  LoadedCodeFile f;
  f.app.bufferCommands.openCodeFile(f.file("prog.hex", ":0102FF0033CB\n:00000001FF\n"));
  const std::vector<std::uint8_t> expected(f.app.buffers.CodeBuffer.begin(),
                                           f.app.buffers.CodeBuffer.begin() + 0x300);

  const auto hex = f.folder.path() / "out.hex";
  f.choose(hex);
  f.app.bufferCommands.mnuFileSaveCodeAs_Click();
  EXPECT_EQ(readAll(hex), encodeIntelHex(expected));
  ASSERT_EQ(
      srecCat(hex.string() + " -intel -o " + (f.folder.path() / "back.bin").string() + " -binary"),
      0);
  EXPECT_EQ(fileBytes(f.folder.path() / "back.bin"), expected);
  EXPECT_EQ(f.logLines().back(), "File Sucessfully Saved as " + hex.string());

  const auto srec = f.folder.path() / "out.S28";
  f.choose(srec);
  f.app.bufferCommands.mnuFileSaveCodeAs_Click();
  EXPECT_EQ(readAll(srec), encodeSRecords(expected, SRecordAddress::Bits24));

  const auto raw = f.folder.path() / "out.bin";
  f.choose(raw);
  f.app.bufferCommands.mnuFileSaveCodeAs_Click();
  EXPECT_EQ(fileBytes(raw), expected);
}

TEST(SaveRecordFile, SaveKeepsTheFormatTheFileWasOpenedInAndTheChosenFormatOverridesIt) {
  LoadedCodeFile f;
  // HEX text under a raw name: saving it again must not turn it into a raw image.
  const auto file = f.file("prog.bin", ":0100000011EE\n:00000001FF\n");
  f.app.bufferCommands.openCodeFile(file);
  f.app.buffers.CodeBuffer[0] = 0x12;
  f.app.bufferCommands.mnuFileSaveCode_Click();
  EXPECT_EQ(readAll(file), ":0100000012ED\r\n:00000001FF\r\n");

  f.app.buffers.chosenFormat = ImageFormat::SRecord;
  f.app.bufferCommands.mnuFileSaveCode_Click();
  EXPECT_EQ(readAll(file), "S0030000FC\r\nS104000012E9\r\nS9030000FC\r\n");
}

TEST(OpenRecordFile, DataFilesTooAndTheirDataMustFitTheEightKilobytesLoaded) {
  BufferFixture f;
  const auto fits = f.file("eeprom.s19", "S1041FFF5588\n");  // one byte at 1FFFh
  EXPECT_TRUE(f.app.bufferCommands.openDataFile(fits));
  EXPECT_EQ(f.app.buffers.DataSize, 8192);
  EXPECT_EQ(f.app.buffers.DataBuffer[0x1FFF], 0x55);
  EXPECT_EQ(f.app.buffers.DataBuffer[0], 0x00) << "a hole keeps the buffer's byte";
  EXPECT_EQ(f.logLines().back().substr(0, 22), "S-record file, CRC-32 ");

  const auto over = f.file("over.s19", "S10420005586\n");  // one byte at 2000h
  EXPECT_FALSE(f.app.bufferCommands.openDataFile(over));
  EXPECT_EQ(f.logLines().back(), "S-record file " + over.string() +
                                     ", line 1: address 2000h lies beyond the 8192 bytes there "
                                     "is room for - Will Not Open");
  EXPECT_EQ(f.app.buffers.DataSize, 8192);
  EXPECT_EQ(f.app.buffers.DataFileName, fits);
  EXPECT_EQ(f.panel.FileNameDataText.caption, fits.string());
  EXPECT_EQ(f.panel.DataFlow_label.foreColor, kGreyText);
}

}  // namespace
}  // namespace burnlab::testing
