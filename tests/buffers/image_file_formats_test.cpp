#include "buffers/image_file_formats.h"

#include <gtest/gtest.h>

#include "buffers/intel_hex.h"
#include "support/byte_patterns.h"
#include "support/record_reference.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

TEST(ImageFormat, TheContentDecidesNotTheName) {
  EXPECT_EQ(detectImageFormat(asBytes(":0400000001020304F2\r\n:00000001FF\r\n")),
            ImageFormat::IntelHex);
  EXPECT_EQ(detectImageFormat(asBytes("\r\n  S0030000FC\n")), ImageFormat::SRecord);
  // A faulty record file is still a record file, so that its fault can be reported.
  EXPECT_EQ(detectImageFormat(asBytes(":04000000zz\n")), ImageFormat::IntelHex);
  // A binary image, even one that starts with a colon, and text that is no record.
  EXPECT_EQ(detectImageFormat(asBytes(std::string(":04\0\x01\xFF", 6))), ImageFormat::Raw);
  EXPECT_EQ(detectImageFormat(asBytes("Some text\n")), ImageFormat::Raw);
  EXPECT_EQ(detectImageFormat(asBytes("  \r\n")), ImageFormat::Raw);
  EXPECT_EQ(detectImageFormat({}), ImageFormat::Raw);
}

TEST(ImageFormat, NamesChooseTheFormatAFileIsWrittenIn) {
  EXPECT_EQ(formatForName("a/b/x.hex"), ImageFormat::IntelHex);
  EXPECT_EQ(formatForName("X.IHX"), ImageFormat::IntelHex);
  for (const char* name : {"x.s19", "x.s28", "x.S37", "x.srec", "x.mot"}) {
    EXPECT_EQ(formatForName(name), ImageFormat::SRecord) << name;
  }
  for (const char* name : {"x.bin", "x.rom", "hex", "x.hex.bin", "x"}) {
    EXPECT_EQ(formatForName(name), ImageFormat::Raw) << name;
  }
  EXPECT_EQ(formatNamed("ihex"), ImageFormat::IntelHex);
  EXPECT_EQ(formatNamed("srec"), ImageFormat::SRecord);
  EXPECT_EQ(formatNamed("raw"), ImageFormat::Raw);
  EXPECT_EQ(formatNamed("hex"), std::nullopt);
  EXPECT_EQ(formatName(ImageFormat::SRecord), "srec");
}

// A stray byte in a sound HEX file, refused at its line and column, and the same file forced
// raw are checked end to end: CliImageFormats.AHexFileWithOneNulIsRefusedWithItsLineAndLoads...
TEST(ImageFileFormats, AFileNamedAsRecordsThatHoldsOtherBytesIsRefusedWhereTheyStart) {
  TempFolder folder;
  // A binary image, and text that is no record, under a record file's name.
  EXPECT_EQ(loadImageFile(folder.file("image.s19", patternBytes(1000)), 2'100'001).outcome,
            ImageLoad::Outcome::Malformed);
  const auto text = loadImageFile(folder.file("image.hex", "\r\n  Hello\n"), 2'100'001);
  EXPECT_EQ(text.format, ImageFormat::IntelHex);
  EXPECT_EQ(text.fault.text(), "line 2: column 3: 'H' starts no record");
}

// A HEX file named .bin is opened as HEX in SaveRecordFile.SaveKeepsTheFormatTheFileWasOpenedIn...,
// and one forced raw in OpenRecordFile.ARawFileNamedHexIsRefused...UnlessRawIsChosen.
TEST(ImageFileFormats, AForcedFormatOverridesTheContent) {
  TempFolder folder;
  const auto file = folder.file("image.bin", encodeIntelHex(patternBytes(40)));
  const auto wrong = loadImageFile(file, 100, ImageFormat::SRecord);
  EXPECT_EQ(wrong.outcome, ImageLoad::Outcome::Malformed);
  EXPECT_EQ(wrong.fault.text(), "line 1: the line does not start with 'S'");
}

TEST(ImageFileFormats, TheBufferLimitsARawFileByLengthAndARecordFileByAddress) {
  TempFolder folder;
  const auto longFile = folder.file("long.bin", patternBytes(101));
  const auto longRaw = loadImageFile(longFile, 100);
  EXPECT_EQ(longRaw.outcome, ImageLoad::Outcome::TooLong);
  EXPECT_EQ(longRaw.length, 101u);
  EXPECT_EQ(loadImageFile(longFile, 100, ImageFormat::Raw).outcome, ImageLoad::Outcome::TooLong);

  // A HEX file far longer than the buffer whose data fits is loaded.
  EXPECT_TRUE(
      loadImageFile(folder.file("fits.hex", encodeIntelHex(patternBytes(100))), 100).loaded());
  const auto over = loadImageFile(folder.file("over.hex", encodeIntelHex(patternBytes(101))), 100);
  EXPECT_EQ(over.outcome, ImageLoad::Outcome::Malformed);
  EXPECT_EQ(over.fault.line, 7u);
}

TEST(ImageFileFormats, SavesInTheFormatItIsToldWithTheWidthTheNameAsksFor) {
  TempFolder folder;
  // Raw and HEX files are saved byte for byte in SaveRecordFile.SaveAsWritesCodeSizeBytes...
  const auto image = patternBytes(300);
  for (const auto& [name, type] : std::vector<std::pair<std::string, char>>{
           {"x.s19", '1'}, {"x.s28", '2'}, {"x.s37", '3'}, {"x.srec", '1'}, {"x.mot", '1'}}) {
    ASSERT_TRUE(writeImageFile(folder.path() / name, image, ImageFormat::SRecord).ok());
    const auto text = fileBytes(folder.path() / name);
    EXPECT_EQ(text[12], 'S') << name;
    EXPECT_EQ(text[13], type) << name;
  }
}

}  // namespace
}  // namespace burnlab::testing
