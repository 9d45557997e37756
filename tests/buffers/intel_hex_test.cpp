#include "buffers/intel_hex.h"

#include <gtest/gtest.h>

#include "support/record_reference.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

constexpr std::size_t kCapacity = 2'100'001;

std::span<const std::uint8_t> asBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct Decoded {
  bool ok = false;
  ImageContent image{0};
  ImageFault fault;
};

Decoded decode(const std::string& text, std::size_t capacity = kCapacity) {
  Decoded decoded;
  decoded.image = ImageContent(capacity);
  decoded.ok = decodeIntelHex(asBytes(text), decoded.image, decoded.fault);
  return decoded;
}

std::vector<std::uint8_t> bytesOf(const ImageContent& image, std::uint8_t fill) {
  std::vector<std::uint8_t> buffer(image.end(), fill);
  image.copyInto(buffer);
  return buffer;
}

TEST(IntelHex, WhatItWritesTheSrecordToolsReadBackByteForByte) {
  TempFolder folder;
  // One byte, a file that ends in the middle of a record, and images past 64 KiB and 1 MiB
  // that need linear address records.
  for (const std::size_t length : {1u, 100u, 65'536u + 40u, 1'100'000u}) {
    const auto image = patternBytes(length, static_cast<std::uint32_t>(length));
    writeFile(folder.path() / "x.hex", encodeIntelHex(image));
    ASSERT_EQ(srecCat((folder.path() / "x.hex").string() + " -intel -o " +
                      (folder.path() / "y.bin").string() + " -binary"),
              0)
        << "srec_cat refused the file of " << length << " bytes";
    EXPECT_EQ(fileBytes(folder.path() / "y.bin"), image) << length << " bytes";
  }
}

TEST(IntelHex, ReadsWhatTheSrecordToolsWriteWithHolesAndANonZeroStart) {
  TempFolder folder;
  const auto low = patternBytes(300, 7);
  const auto high = patternBytes(1000, 8);
  writeFile(folder.path() / "low.bin", low);
  writeFile(folder.path() / "high.bin", high);
  ASSERT_EQ(srecCat((folder.path() / "low.bin").string() + " -binary -offset 0x1234 " +
                    (folder.path() / "high.bin").string() + " -binary -offset 0x1FF00 -o " +
                    (folder.path() / "x.hex").string() + " -intel"),
            0);
  const auto text = fileBytes(folder.path() / "x.hex");
  const auto decoded = decode(std::string(text.begin(), text.end()));
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();

  EXPECT_EQ(decoded.image.end(), 0x1FF00u + 1000u);
  const auto buffer = bytesOf(decoded.image, 0xFF);
  EXPECT_TRUE(std::equal(low.begin(), low.end(), buffer.begin() + 0x1234));
  EXPECT_TRUE(std::equal(high.begin(), high.end(), buffer.begin() + 0x1FF00));
  // Below the start and between the pieces nothing was given: the buffer's fill shows.
  EXPECT_FALSE(decoded.image.has(0x1233));
  EXPECT_FALSE(decoded.image.has(0x1234 + 300));
  EXPECT_EQ(buffer[0], 0xFF);
  EXPECT_EQ(buffer[0x1234 + 300], 0xFF);
  EXPECT_EQ(buffer[0x1FEFF], 0xFF);
}

TEST(IntelHex, SegmentAndLinearAddressRecordsSetTheUpperAddress) {
  const auto decoded = decode(
      ":020000021000EC\n"  // segment 1000h: base 10000h
      ":0100100011DE\n"    // 10010h
      ":020000040002F8\n"  // linear 0002h: base 20000h
      ":0100050022D8\n"    // 20005h
      ":0400000300001234B3\n"
      ":04000005000000CD2A\n"
      ":00000001FF\n");
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();
  EXPECT_EQ(decoded.image.end(), 0x20006u);
  EXPECT_EQ(decoded.image.at(0x10010), 0x11);
  EXPECT_EQ(decoded.image.at(0x20005), 0x22);
}

TEST(IntelHex, AcceptsAnyLineEndLowerCaseDigitsBlanksAndAnEndOfFileMark) {
  const auto decoded = decode("\r\n  :0200000001aa53 \r:0100020033ca\n\n:00000001FF\r\n\x1A");
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();
  EXPECT_EQ(bytesOf(decoded.image, 0xFF), (std::vector<std::uint8_t>{0x01, 0xAA, 0x33}));
}

TEST(IntelHex, TheSameByteGivenTwiceIsAcceptedAnotherValueIsRefused) {
  EXPECT_TRUE(decode(":020000000102FB\n:0100010002FC\n:00000001FF\n").ok);
  const auto contradicted = decode(":020000000102FB\n:0100010003FB\n:00000001FF\n");
  EXPECT_FALSE(contradicted.ok);
  EXPECT_EQ(contradicted.fault.text(),
            "line 2: address 1h is given 3h, but an earlier record "
            "gave it 2h");
}

struct Malformed {
  const char* what;
  std::string text;
  std::size_t line;
  const char* reason;
};

TEST(IntelHex, EveryKindOfFaultIsRefusedWithItsLine) {
  const std::string good = ":0400000001020304F2\n";
  const std::string end = ":00000001FF\n";
  const std::vector<Malformed> cases{
      {"bad checksum", good + ":0400040001020304EF\n" + end, 2,
       "the checksum is EFh, the record's bytes need EEh"},
      {"bad hex digit", good + good + ":04000800010G0304EA\n" + end, 3, "'G' is not a hex digit"},
      {"no colon", good + "0400040001020304EE\n" + end, 2, "the line does not start with ':'"},
      {"odd digits", ":0400000001020304F\n" + end, 1, "the record has an odd number of hex digits"},
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
  };
  for (const auto& c : cases) {
    const auto decoded = decode(c.text);
    EXPECT_FALSE(decoded.ok) << c.what;
    EXPECT_EQ(decoded.fault.line, c.line) << c.what;
    EXPECT_EQ(decoded.fault.reason, c.reason) << c.what;
  }
}

TEST(IntelHex, DataBeyondTheCapacityAndAFileWithoutDataAreRefused) {
  // Two bytes at FFFFh and 10000h in a buffer of 10000h bytes.
  const auto beyond = decode(":02FFFF000102FD\n:00000001FF\n", 0x10000);
  EXPECT_FALSE(beyond.ok);
  EXPECT_EQ(beyond.fault.text(),
            "line 1: address 10000h lies beyond the 65536 bytes there is room for");
  EXPECT_TRUE(decode(":02FFFE000102FE\n:00000001FF\n", 0x10000).ok);

  const auto empty = decode(":020000040001F9\n:00000001FF\n");
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.fault.text(), "the file holds no data records");
}

TEST(IntelHex, WritesSixteenBytesARecordWithCrLfAndAnEndRecord) {
  const auto text = encodeIntelHex(patternBytes(17, 3));
  const auto first = text.find("\r\n");
  EXPECT_EQ(first, 1u + 2 * (5 + 16));
  EXPECT_EQ(text.substr(first + 2, 9), ":01001000");
  EXPECT_TRUE(text.ends_with(":00000001FF\r\n"));
  EXPECT_EQ(encodeIntelHex({}), ":00000001FF\r\n");
}

}  // namespace
}  // namespace burnlab::testing
