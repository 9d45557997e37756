// Intel HEX and S-records: the suite both formats share (the srecord tools read what is written
// and what they write is read, holes and all; every kind of fault is refused with its line; data
// beyond the buffer and a file without data are refused), then what only one of them has.
#include <gtest/gtest.h>

#include <functional>

#include "buffers/intel_hex.h"
#include "buffers/s_record.h"
#include "support/byte_patterns.h"
#include "support/record_reference.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

constexpr std::size_t kCapacity = 2'100'001;

struct Malformed {
  const char* what;
  std::string text;
  std::size_t line;
  const char* reason;
};

struct RecordFormat {
  struct Names {
    const char* test;  // what its cases are called
    const char* tool;  // srec_cat's name of the format
    const char* file;  // what the format's files are called
  } names;
  // Every way the program writes the format (the S-records' address widths).
  std::vector<std::function<std::string(std::span<const std::uint8_t>)>> encodings;
  std::function<bool(std::span<const std::uint8_t>, ImageContent&, ImageFault&)> decode;
  std::vector<Malformed> faults;
  // Two data bytes: at FFFFh and 10000h (one past a buffer of 10000h), and at FFFEh and FFFFh.
  std::string beyond;
  std::string fits;
  // Records, but no data among them.
  std::string empty;
  // Every kind of address the format has, up to the byte at 20005h, and bytes it places.
  std::string addressKinds;
  std::vector<std::pair<std::uint32_t, std::uint8_t>> placed;
};

struct Decoded {
  bool ok = false;
  ImageContent image{0};
  ImageFault fault;
};

Decoded decode(const RecordFormat& format, const std::string& text,
               std::size_t capacity = kCapacity) {
  Decoded decoded;
  decoded.image = ImageContent(capacity);
  decoded.ok = format.decode(asBytes(text), decoded.image, decoded.fault);
  return decoded;
}

std::vector<std::uint8_t> bytesOf(const ImageContent& image, std::uint8_t fill) {
  std::vector<std::uint8_t> buffer(image.end(), fill);
  image.copyInto(buffer);
  return buffer;
}

RecordFormat intelHex() {
  const std::string good = ":0400000001020304F2\n";
  const std::string end = ":00000001FF\n";
  return {
      {"IntelHex", "-intel", "x.hex"},
      {encodeIntelHex},
      decodeIntelHex,
      {
          {"bad checksum", good + ":0400040001020304EF\n" + end, 2,
           "the checksum is EFh, the record's bytes need EEh"},
          {"bad hex digit", good + good + ":04000800010G0304EA\n" + end, 3,
           "'G' is not a hex digit"},
          {"no colon", good + "0400040001020304EE\n" + end, 2, "the line does not start with ':'"},
          {"odd digits", ":0400000001020304F\n" + end, 1,
           "the record has an odd number of hex digits"},
          {"too short", ":000000\n" + end, 1, "the record is too short"},
          {"wrong length", ":0500000001020304F1\n" + end, 1,
           "the record's length byte gives 5 data bytes, the line holds 4"},
          {"unknown type", ":00000006FA\n" + end, 1, "record type 6h is not an Intel HEX record"},
          {"address record length", ":0100000400FB\n" + end, 1,
           "a record of type 4h holds 2 data bytes, this one 1"},
          {"record after the end", good + end + good, 3, "a record follows the end-of-file record"},
          {"no end", good + good, 2, "the file ends without its end-of-file record"},
          {"binary byte",
           good +
               ":04000400\x01"
               "1020304EE\n" +
               end,
           2, "the byte 01h is not a hex digit"},
          {"contradiction", ":020000000102FB\n:0100010003FB\n" + end, 2,
           "address 1h is given 3h, but an earlier record gave it 2h"},
      },
      ":02FFFF000102FD\n" + end,
      ":02FFFE000102FE\n" + end,
      ":020000040001F9\n" + end,
      ":020000021000EC\n"  // segment 1000h: base 10000h
      ":0100100011DE\n"    // 10010h
      ":020000040002F8\n"  // linear 0002h: base 20000h
      ":0100050022D8\n"    // 20005h
      ":0400000300001234B3\n"
      ":04000005000000CD2A\n" +
          end,
      {{0x10010, 0x11}, {0x20005, 0x22}},
  };
}

RecordFormat sRecords() {
  const std::string head = "S0030000FC\n";
  const std::string data = "S107000001020304EE\n";
  const std::string end = "S9030000FC\n";
  return {
      {"SRecord", "-motorola", "x.s28"},
      {[](auto image) { return encodeSRecords(image); },
       [](auto image) { return encodeSRecords(image, SRecordAddress::Bits24); },
       [](auto image) { return encodeSRecords(image, SRecordAddress::Bits32); }},
      [](std::span<const std::uint8_t> text, ImageContent& image, ImageFault& fault) {
        return decodeSRecords(text, image, fault);
      },
      {
          {"bad checksum", head + data + "S107000401020304EB\n" + end, 3,
           "the checksum is EBh, the record's bytes need EAh"},
          {"bad hex digit", head + "S1070000010203O4EE\n" + end, 2, "'O' is not a hex digit"},
          {"no S", head + "X107000001020304EE\n" + end, 2, "the line does not start with 'S'"},
          {"reserved type", head + "S4030000FC\n" + end, 2,
           "the record's type is not one of S0 to S3 or S5 to S9"},
          {"no type", head + "S\n" + end, 2,
           "the record's type is not one of S0 to S3 or S5 to S9"},
          {"too short", head + "S1020000\n" + end, 2, "the record is too short"},
          {"wrong count", head + "S108000001020304EE\n" + end, 2,
           "the record's count byte gives 8 bytes after it, the line holds 7"},
          {"miscounted records", head + data + "S5030002FA\n" + end, 3,
           "the count record gives 2 data records, the file holds 1"},
          {"record after the end", head + data + end + data, 4, "a record follows the end record"},
          {"contradiction", head + "S104000101F9\n" + "S104000102F8\n" + end, 3,
           "address 1h is given 2h, but an earlier record gave it 1h"},
          // A 32-bit address far beyond any buffer.
          {"far address", "S306FFFFFFF022EA\nS7050000000000FA\n", 1,
           "address FFFFFFF0h lies beyond the 2100001 bytes there is room for"},
      },
      "S105FFFF0102F9\n" + end,
      "S105FFFE0102FA\n" + end,
      head + end,
      head + data +
          "S20501000011E8\n"    // 24-bit address
          "S3060002000522D0\n"  // 32-bit address
          "S5030003F9\n" +
          end,
      {{3, 0x04}, {0x10000, 0x11}, {0x20005, 0x22}},
  };
}

class RecordFiles : public ::testing::TestWithParam<RecordFormat> {};

TEST_P(RecordFiles, WhatItWritesTheSrecordToolsReadBackByteForByte) {
  const auto& format = GetParam();
  TempFolder folder;
  const auto file = folder.path() / format.names.file;
  // One byte, a file that ends in the middle of a record, and images past 64 KiB and 1 MiB
  // that need wider addresses.
  for (const std::size_t length : {1u, 100u, 65'536u + 40u, 1'100'000u}) {
    const auto image = patternBytes(length, static_cast<std::uint32_t>(length));
    for (const auto& encode : format.encodings) {
      writeFile(file, encode(image));
      ASSERT_EQ(srecCat(file.string() + " " + format.names.tool + " -o " +
                        (folder.path() / "y.bin").string() + " -binary"),
                0)
          << "srec_cat refused the file of " << length << " bytes";
      EXPECT_EQ(fileBytes(folder.path() / "y.bin"), image) << length << " bytes";
    }
  }
}

TEST_P(RecordFiles, ReadsWhatTheSrecordToolsWriteWithHolesAndANonZeroStart) {
  const auto& format = GetParam();
  TempFolder folder;
  // The second piece is over a megabyte long, in tens of thousands of records (which the
  // S-records' count record counts).
  const auto low = patternBytes(300, 7);
  const auto high = patternBytes(1'100'000, 8);
  writeFile(folder.path() / "low.bin", low);
  writeFile(folder.path() / "high.bin", high);
  const auto file = folder.path() / format.names.file;
  ASSERT_EQ(srecCat((folder.path() / "low.bin").string() + " -binary -offset 0x1234 " +
                    (folder.path() / "high.bin").string() + " -binary -offset 0x1FF00 -o " +
                    file.string() + " " + format.names.tool),
            0);
  const auto decoded = decode(format, readAll(file));
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();

  EXPECT_EQ(decoded.image.end(), 0x1FF00u + high.size());
  const auto buffer = bytesOf(decoded.image, 0x5A);
  EXPECT_TRUE(std::equal(low.begin(), low.end(), buffer.begin() + 0x1234));
  EXPECT_TRUE(std::equal(high.begin(), high.end(), buffer.begin() + 0x1FF00));
  // Below the start and between the pieces nothing was given: the buffer's fill shows.
  EXPECT_FALSE(decoded.image.has(0x1233));
  EXPECT_FALSE(decoded.image.has(0x1234 + 300));
  EXPECT_EQ(buffer[0], 0x5A);
  EXPECT_EQ(buffer[0x1234 + 300], 0x5A);
  EXPECT_EQ(buffer[0x1FEFF], 0x5A);
}

TEST_P(RecordFiles, EveryKindOfFaultIsRefusedWithItsLine) {
  const auto& format = GetParam();
  for (const auto& c : format.faults) {
    const auto decoded = decode(format, c.text);
    EXPECT_FALSE(decoded.ok) << c.what;
    EXPECT_EQ(decoded.fault.line, c.line) << c.what;
    EXPECT_EQ(decoded.fault.reason, c.reason) << c.what;
  }
}

TEST_P(RecordFiles, DataBeyondTheCapacityAndAFileWithoutDataAreRefused) {
  const auto& format = GetParam();
  const auto beyond = decode(format, format.beyond, 0x10000);
  EXPECT_FALSE(beyond.ok);
  EXPECT_EQ(beyond.fault.text(),
            "line 1: address 10000h lies beyond the 65536 bytes there is room for");
  EXPECT_TRUE(decode(format, format.fits, 0x10000).ok);

  const auto empty = decode(format, format.empty);
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.fault.text(), "the file holds no data records");
}

TEST_P(RecordFiles, EveryKindOfAddressRecordIsRead) {
  const auto& format = GetParam();
  const auto decoded = decode(format, format.addressKinds);
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();
  EXPECT_EQ(decoded.image.end(), 0x20006u);
  for (const auto& [address, value] : format.placed) {
    EXPECT_EQ(decoded.image.at(address), value) << address;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, RecordFiles, ::testing::Values(intelHex(), sRecords()),
                         [](const auto& info) { return std::string(info.param.names.test); });

// What only Intel HEX has.

TEST(IntelHex, AcceptsAnyLineEndLowerCaseDigitsBlanksAnEndOfFileMarkAndARepeatedByte) {
  const auto decoded =
      decode(intelHex(), "\r\n  :0200000001aa53 \r:0100020033ca\n\n:00000001FF\r\n\x1A");
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();
  EXPECT_EQ(bytesOf(decoded.image, 0xFF), (std::vector<std::uint8_t>{0x01, 0xAA, 0x33}));
  // The same byte given twice is no contradiction.
  EXPECT_TRUE(decode(intelHex(), ":020000000102FB\n:0100010002FC\n:00000001FF\n").ok);
}

TEST(IntelHex, WritesSixteenBytesARecordWithCrLfAndAnEndRecord) {
  const auto text = encodeIntelHex(patternBytes(17, 3));
  const auto first = text.find("\r\n");
  EXPECT_EQ(first, 1u + 2 * (5 + 16));
  EXPECT_EQ(text.substr(first + 2, 9), ":01001000");
  EXPECT_TRUE(text.ends_with(":00000001FF\r\n"));
  EXPECT_EQ(encodeIntelHex({}), ":00000001FF\r\n");
}

// What only S-records have (a file without its end record is loaded with a warning: see
// OpenRecordFile.AnSRecordFileWithoutItsEndRecordLoadsWithOneWarningLine).

// The record types of a written file, in order: "S0", "S1", ..., one per line.
std::string typesOf(const std::string& text) {
  std::string types;
  for (std::size_t at = 0; at < text.size(); at = text.find("\r\n", at) + 2) {
    if (types.empty() || types.back() != text[at + 1]) types += text.substr(at, 2);
  }
  return types;
}

TEST(SRecord, WritesTheNarrowestAddressTheNameAsksForThatHoldsTheImage) {
  EXPECT_EQ(typesOf(encodeSRecords(patternBytes(100))), "S0S1S9");
  EXPECT_EQ(typesOf(encodeSRecords(patternBytes(100), SRecordAddress::Bits24)), "S0S2S8");
  EXPECT_EQ(typesOf(encodeSRecords(patternBytes(100), SRecordAddress::Bits32)), "S0S3S7");
  // 16-bit addresses end at FFFFh: a longer image takes 24-bit ones.
  EXPECT_EQ(typesOf(encodeSRecords(patternBytes(65'536))), "S0S1S9");
  EXPECT_EQ(typesOf(encodeSRecords(patternBytes(65'537))), "S0S2S8");
  EXPECT_EQ(encodeSRecords({}), "S0030000FC\r\nS9030000FC\r\n");
}

}  // namespace
}  // namespace burnlab::testing
