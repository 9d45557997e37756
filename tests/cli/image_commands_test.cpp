// burnlab-cli with HEX and S-record files, sum and compare, run as a program on the simulated
// board. It writes the files the program's encoders write, which the srecord tools read back in
// RecordFiles.WhatItWritesTheSrecordToolsReadBackByteForByte.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "buffers/intel_hex.h"
#include "buffers/s_record.h"
#include "support/byte_patterns.h"
#include "support/cli_run.h"
#include "support/record_reference.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

using ::testing::HasSubstr;

// A folder with a 32 KiB image (every byte value, 128 times) and a fresh user state.
struct ImageRig {
  CliRun cli(const std::string& arguments) const { return runCli(arguments, folder.path()); }

  // The simulated 27C256 holding `chipImage` (by default the image).
  std::string chip(const std::filesystem::path& chipImage = {}) const {
    return "--simulate=27C256:" + (chipImage.empty() ? image : chipImage).string() +
           " --sim-no-wait -d 27C256 ";
  }

  std::filesystem::path path(const std::string& name) const { return folder.path() / name; }

  TempFolder folder;
  std::vector<std::uint8_t> bytes = everyByteValueBytes(128);
  std::filesystem::path image = folder.file("img.bin", bytes);
};

// zlib.crc32 and the 16-bit byte sum of the rig's image.
constexpr const char* kImageSums = "CRC-32 217726B2, byte sum C000 of 32768 bytes\n";

TEST(CliImageFormats, AChipReadToARecordFileHoldsTheImageAndVerifiesAgainstIt) {
  const ImageRig rig;
  const auto hex = rig.path("x.hex");
  const auto read = rig.cli(rig.chip() + "read -o " + hex.string());
  ASSERT_EQ(read.status, 0) << read.messages;
  EXPECT_EQ(readAll(hex), encodeIntelHex(rig.bytes));
  EXPECT_THAT(read.messages, HasSubstr("Device read, " + std::string(kImageSums, 45)));

  EXPECT_EQ(rig.cli(rig.chip() + "verify -i " + hex.string()).status, 0);

  const auto srec = rig.path("x.s37");
  ASSERT_EQ(rig.cli(rig.chip() + "read -o " + srec.string()).status, 0);
  EXPECT_EQ(readAll(srec), encodeSRecords(rig.bytes, SRecordAddress::Bits32));

  // --format overrides the name: a raw image under a HEX name.
  const auto rawHex = rig.path("raw.hex");
  ASSERT_EQ(rig.cli(rig.chip() + "read --format raw -o " + rawHex.string()).status, 0);
  EXPECT_EQ(fileBytes(rawHex), rig.bytes);
}

// A bad checksum's message is checked in OpenRecordFile.AMalformedFileIsRefusedWithItsLine...,
// and verify's exit status for a refused file in CliFiles.AFifoGivenAsInputIsRefusedAtOnce.
TEST(CliImageFormats, AHexFileWithOneNulIsRefusedWithItsLineAndLoadsWhenForcedRaw) {
  const ImageRig rig;
  std::string text = encodeIntelHex(rig.bytes);
  text.insert(text.find("\r\n") + 2 + 3, 1, '\0');  // in the second record
  rig.folder.file("nul.hex", text);
  expectRun(rig.cli("--simulate sum -i " + rig.path("nul.hex").string()), "sum", 2,
            {"nul.hex, line 2: column 4: byte 00h is not record text"});
  const auto raw = rig.cli("--simulate sum --format raw -i " + rig.path("nul.hex").string());
  EXPECT_EQ(raw.status, 0) << raw.messages;
  EXPECT_THAT(raw.out, HasSubstr(" of " + std::to_string(text.size()) + " bytes"));
}

TEST(CliSum, PrintsTheChecksumsOfAFileInAnyFormatOrOfTheChip) {
  const ImageRig rig;
  const auto raw = rig.cli("--simulate sum -i " + rig.image.string());
  ASSERT_EQ(raw.status, 0) << raw.messages;
  EXPECT_EQ(raw.out, kImageSums);

  rig.folder.file("img.s28", encodeSRecords(rig.bytes));
  EXPECT_EQ(rig.cli("--simulate sum -i " + rig.path("img.s28").string()).out, kImageSums);
  EXPECT_EQ(rig.cli(rig.chip() + "sum").out, kImageSums);

  // Read as raw, the S-record text has checksums of its own.
  const auto asText = rig.cli("--simulate sum --format raw -i " + rig.path("img.s28").string());
  EXPECT_NE(asText.out, kImageSums);
  EXPECT_THAT(asText.out,
              HasSubstr(" of " + std::to_string(fileBytes(rig.path("img.s28")).size())));

  EXPECT_EQ(rig.cli("--simulate sum").status, 2) << "without -i it needs the device";
}

TEST(CliCompare, ListsNoneOneOrManyDifferencesAndExitsWithOneWhenAnyDiffer) {
  const ImageRig rig;
  const auto same = rig.cli(rig.chip() + "compare -i " + rig.image.string());
  EXPECT_EQ(same.status, 0) << same.messages;
  EXPECT_EQ(same.out, "No differences in 32768 bytes compared\n");

  auto chipBytes = rig.bytes;
  chipBytes[0x1234] = 0x00;
  const auto one =
      rig.cli(rig.chip(rig.folder.file("one.bin", chipBytes)) + "compare -i " + rig.image.string());
  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(one.out, "Address 001234: File 34, Device 00\n1 difference in 32768 bytes compared\n");

  for (std::size_t at = 0x100; at < 0x200; ++at) chipBytes[at] = 0xFF;
  writeFile(rig.path("many.bin"), chipBytes);
  const auto many =
      rig.cli(rig.chip(rig.path("many.bin")) + "compare --max 2 -i " + rig.image.string());
  EXPECT_EQ(many.status, 1);
  // 255 of these (1FFh holds FFh already) and the one at 1234h.
  EXPECT_EQ(many.out,
            "Address 000100: File 00, Device FF\nAddress 000101: File 01, Device FF\n"
            "256 differences in 32768 bytes compared\n");

  const auto negative =
      rig.cli(rig.chip(rig.path("many.bin")) + "compare --max -1 -i " + rig.image.string());
  EXPECT_EQ(negative.status, 2) << "a negative count is bad usage, not \"list them all\"";
  EXPECT_EQ(negative.out, "");
}

TEST(CliShow, ShowsTheBytesOfAHexFileAtTheirAddresses) {
  const ImageRig rig;
  const auto hex = rig.folder.file("prog.hex", ":04001000DEADBEEFB4\r\n:00000001FF\r\n");
  const auto shown = rig.cli("--simulate show -i " + hex.string());
  ASSERT_EQ(shown.status, 0) << shown.messages;
  EXPECT_THAT(shown.out, HasSubstr("000010| DEADBEEF 00000000 00000000 00000000 |"));
}

}  // namespace
}  // namespace burnlab::testing
