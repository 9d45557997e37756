#include "buffers/s_record.h"

#include <gtest/gtest.h>

#include "support/record_reference.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

constexpr std::size_t kCapacity = 2'100'001;

struct Decoded {
  bool ok = false;
  ImageContent image{0};
  ImageFault fault;
};

Decoded decode(const std::string& text, std::size_t capacity = kCapacity) {
  Decoded decoded;
  decoded.image = ImageContent(capacity);
  decoded.ok = decodeSRecords({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                              decoded.image, decoded.fault);
  return decoded;
}

std::vector<std::uint8_t> bytesOf(const ImageContent& image, std::uint8_t fill) {
  std::vector<std::uint8_t> buffer(image.end(), fill);
  image.copyInto(buffer);
  return buffer;
}

// The record types of a written file, in order: "S0", "S1", ..., one per line.
std::string typesOf(const std::string& text) {
  std::string types;
  for (std::size_t at = 0; at < text.size(); at = text.find("\r\n", at) + 2) {
    if (types.empty() || types.back() != text[at + 1]) types += text.substr(at, 2);
  }
  return types;
}

TEST(SRecord, WhatItWritesTheSrecordToolsReadBackByteForByte) {
  TempFolder folder;
  struct Case {
    std::size_t length;
    SRecordAddress width;
  };
  // Every address width, and images past 64 KiB and 1 MiB that need 24-bit addresses.
  for (const auto& [length, width] : {Case{1, SRecordAddress::Bits16},
                                      {100, SRecordAddress::Bits24},
                                      {100, SRecordAddress::Bits32},
                                      {65'536 + 40, SRecordAddress::Bits16},
                                      {1'100'000, SRecordAddress::Bits16}}) {
    const auto image = patternBytes(length, static_cast<std::uint32_t>(length) + 5);
    writeFile(folder.path() / "x.srec", encodeSRecords(image, width));
    ASSERT_EQ(srecCat((folder.path() / "x.srec").string() + " -motorola -o " +
                      (folder.path() / "y.bin").string() + " -binary"),
              0)
        << "srec_cat refused the file of " << length << " bytes";
    EXPECT_EQ(fileBytes(folder.path() / "y.bin"), image) << length << " bytes";
  }
}

TEST(SRecord, ReadsWhatTheSrecordToolsWriteWithHolesAndANonZeroStart) {
  TempFolder folder;
  const auto low = patternBytes(300, 9);
  const auto high = patternBytes(1000, 10);
  writeFile(folder.path() / "low.bin", low);
  writeFile(folder.path() / "high.bin", high);
  ASSERT_EQ(srecCat((folder.path() / "low.bin").string() + " -binary -offset 0x1234 " +
                    (folder.path() / "high.bin").string() + " -binary -offset 0x1FF00 -o " +
                    (folder.path() / "x.s28").string() + " -motorola"),
            0);
  const auto text = fileBytes(folder.path() / "x.s28");
  const auto decoded = decode(std::string(text.begin(), text.end()));
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();

  EXPECT_EQ(decoded.image.end(), 0x1FF00u + 1000u);
  const auto buffer = bytesOf(decoded.image, 0x5A);
  EXPECT_TRUE(std::equal(low.begin(), low.end(), buffer.begin() + 0x1234));
  EXPECT_TRUE(std::equal(high.begin(), high.end(), buffer.begin() + 0x1FF00));
  EXPECT_EQ(buffer[0x1233], 0x5A);
  EXPECT_EQ(buffer[0x1234 + 300], 0x5A);
}

TEST(SRecord, ReadsALargeFileOfTheSrecordToolsWithItsRecordCount) {
  TempFolder folder;
  const auto image = patternBytes(1'100'000, 11);
  writeFile(folder.path() / "in.bin", image);
  ASSERT_EQ(srecCat((folder.path() / "in.bin").string() + " -binary -o " +
                    (folder.path() / "x.mot").string() + " -motorola"),
            0);
  const auto text = fileBytes(folder.path() / "x.mot");
  const auto decoded = decode(std::string(text.begin(), text.end()));
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();
  EXPECT_EQ(bytesOf(decoded.image, 0), image);
}

TEST(SRecord, AFileWithoutItsEndRecordIsRead) {
  const auto decoded = decode("S0030000FC\nS107000001020304EE\nS5030001FB\n");
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();
  EXPECT_EQ(decoded.image.end(), 4u);
}

TEST(SRecord, AllThreeAddressWidthsAndCountRecordsAreRead) {
  const auto decoded = decode(
      "S0030000FC\n"
      "S107000001020304EE\n"
      "S20501000011E8\n"
      "S3060002000522D0\n"
      "S5030003F9\n"
      "S9030000FC\n");
  ASSERT_TRUE(decoded.ok) << decoded.fault.text();
  EXPECT_EQ(decoded.image.end(), 0x20006u);
  EXPECT_EQ(decoded.image.at(3), 0x04);
  EXPECT_EQ(decoded.image.at(0x10000), 0x11);
  EXPECT_EQ(decoded.image.at(0x20005), 0x22);
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

struct Malformed {
  const char* what;
  std::string text;
  std::size_t line;
  const char* reason;
};

TEST(SRecord, EveryKindOfFaultIsRefusedWithItsLine) {
  const std::string head = "S0030000FC\n";
  const std::string data = "S107000001020304EE\n";
  const std::string end = "S9030000FC\n";
  const std::vector<Malformed> cases{
      {"bad checksum", head + data + "S107000401020304EB\n" + end, 3,
       "the checksum is EBh, the record's bytes need EAh"},
      {"bad hex digit", head + "S1070000010203O4EE\n" + end, 2, "'O' is not a hex digit"},
      {"no S", head + "X107000001020304EE\n" + end, 2, "the line does not start with 'S'"},
      {"reserved type", head + "S4030000FC\n" + end, 2,
       "the record's type is not one of S0 to S3 or S5 to S9"},
      {"no type", head + "S\n" + end, 2, "the record's type is not one of S0 to S3 or S5 to S9"},
      {"too short", head + "S1020000\n" + end, 2, "the record is too short"},
      {"wrong count", head + "S108000001020304EE\n" + end, 2,
       "the record's count byte gives 8 bytes after it, the line holds 7"},
      {"miscounted records", head + data + "S5030002FA\n" + end, 3,
       "the count record gives 2 data records, the file holds 1"},
      {"record after the end", head + data + end + data, 4, "a record follows the end record"},
      {"contradiction", head + "S104000101F9\n" + "S104000102F8\n" + end, 3,
       "address 1h is given 2h, but an earlier record gave it 1h"},
  };
  for (const auto& c : cases) {
    const auto decoded = decode(c.text);
    EXPECT_FALSE(decoded.ok) << c.what;
    EXPECT_EQ(decoded.fault.line, c.line) << c.what;
    EXPECT_EQ(decoded.fault.reason, c.reason) << c.what;
  }
}

TEST(SRecord, DataBeyondTheCapacityAndAFileWithoutDataAreRefused) {
  const auto beyond = decode("S105FFFF0102F9\nS9030000FC\n", 0x10000);
  EXPECT_FALSE(beyond.ok);
  EXPECT_EQ(beyond.fault.line, 1u);
  EXPECT_TRUE(decode("S105FFFE0102FA\nS9030000FC\n", 0x10000).ok);
  // A 32-bit address far beyond any buffer.
  const auto far = decode("S306FFFFFFF022EA\nS7050000000000FA\n");
  EXPECT_FALSE(far.ok);
  EXPECT_EQ(far.fault.line, 1u);

  const auto empty = decode("S0030000FC\nS9030000FC\n");
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.fault.text(), "the file holds no data records");
}

}  // namespace
}  // namespace burnlab::testing
