#include "buffers/s_record.h"

#include <array>
#include <numeric>
#include <vector>

#include "buffers/record_text.h"

namespace burnlab {
namespace {

constexpr std::size_t kBytesPerRecord = 16;

// Address bytes of each record type; 0 for the reserved S4.
constexpr std::array<std::size_t, 10> kAddressBytes{2, 2, 3, 4, 0, 2, 3, 4, 3, 2};

bool isData(int type) {
  return type >= 1 && type <= 3;
}
bool isCount(int type) {
  return type == 5 || type == 6;
}
bool isEnd(int type) {
  return type >= 7;
}

// The ones' complement of the low byte of the sum of the count, address and data bytes.
std::uint8_t checksumFor(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint8_t>(~std::accumulate(bytes.begin(), bytes.end(), 0u));
}

struct Record {
  int type = 0;
  std::uint64_t address = 0;
  std::span<const std::uint8_t> data;
};

bool parseType(std::string_view line, std::size_t number, int& type, ImageFault& fault) {
  if (line.front() != 'S') {
    fault = {number, "the line does not start with 'S'"};
    return false;
  }
  if (line.size() < 2 || line[1] < '0' || line[1] > '9' || line[1] == '4') {
    fault = {number, "the record's type is not one of S0 to S3 or S5 to S9"};
    return false;
  }
  type = line[1] - '0';
  return true;
}

bool parseRecord(std::string_view line, std::size_t number, std::vector<std::uint8_t>& bytes,
                 Record& record, ImageFault& fault) {
  if (!parseType(line, number, record.type, fault)) return false;
  if (!decodeHexPairs(line.substr(2), number, bytes, fault)) return false;
  const std::size_t addressBytes = kAddressBytes[static_cast<std::size_t>(record.type)];
  if (bytes.size() < 2 + addressBytes) {
    fault = {number, "the record is too short"};
    return false;
  }
  if (bytes[0] != bytes.size() - 1) {
    fault = {number, "the record's count byte gives " + std::to_string(bytes[0]) +
                         " bytes after it, the line holds " + std::to_string(bytes.size() - 1)};
    return false;
  }
  const std::span<const std::uint8_t> counted(bytes.data(), bytes.size() - 1);
  if (!checksumMatches(bytes.back(), checksumFor(counted), number, fault)) return false;
  record.address = 0;
  for (std::size_t at = 1; at <= addressBytes; ++at)
    record.address = record.address << 8 | bytes[at];
  record.data = counted.subspan(1 + addressBytes);
  return true;
}

void appendRecord(std::string& text, int type, std::size_t addressBytes, std::uint64_t address,
                  std::span<const std::uint8_t> data) {
  std::array<std::uint8_t, 1 + 4 + kBytesPerRecord> bytes{};
  std::size_t length = 0;
  bytes[length++] = static_cast<std::uint8_t>(addressBytes + data.size() + 1);
  for (std::size_t shift = addressBytes; shift-- > 0;) {
    bytes[length++] = static_cast<std::uint8_t>(address >> (8 * shift));
  }
  for (const auto byte : data) bytes[length++] = byte;
  const std::span<const std::uint8_t> record(bytes.data(), length);
  const std::array<std::uint8_t, 1> checksum{checksumFor(record)};
  text += 'S';
  text += static_cast<char>('0' + type);
  appendHexPairs(text, record);
  appendHexPairs(text, checksum);
  text += "\r\n";
}

}  // namespace

bool decodeSRecords(std::span<const std::uint8_t> text, ImageContent& image, ImageFault& fault,
                    bool* endedOut) {
  RecordLines lines(text);
  std::vector<std::uint8_t> bytes;
  std::uint64_t dataRecords = 0;
  // The end record is optional: the srecord tools, for one, leave it out of an image that has
  // no start address. A file cut short in transfer looks the same, so the caller hears of it.
  bool ended = false;
  const auto take = [&](std::string_view line, std::size_t number) {
    Record record;
    if (!parseRecord(line, number, bytes, record, fault)) return RecordStep::Refused;
    if (isData(record.type)) {
      if (!image.place(record.address, record.data, number, fault)) return RecordStep::Refused;
      ++dataRecords;
    } else if (isCount(record.type) && record.address != dataRecords) {
      // A count that disagrees means records were lost or doubled on the way.
      fault = {number, "the count record gives " + std::to_string(record.address) +
                           " data records, the file holds " + std::to_string(dataRecords)};
      return RecordStep::Refused;
    } else if (isEnd(record.type)) {
      return RecordStep::Ended;
    }
    return RecordStep::Next;
  };
  if (!forEachRecord(lines, "a record follows the end record", fault, ended, take)) return false;
  if (image.empty()) {
    fault = {0, "the file holds no data records"};
    return false;
  }
  if (endedOut != nullptr) *endedOut = ended;
  return true;
}

std::string encodeSRecords(std::span<const std::uint8_t> image, SRecordAddress narrowest) {
  std::size_t addressBytes = static_cast<std::size_t>(narrowest);
  const std::uint64_t last = image.empty() ? 0 : image.size() - 1;
  while (addressBytes < 4 && last >> (8 * addressBytes) != 0) ++addressBytes;
  const int dataType = static_cast<int>(addressBytes) - 1;  // S1, S2 or S3
  const int endType = 11 - static_cast<int>(addressBytes);  // S9, S8 or S7

  std::string text;
  text.reserve(image.size() / kBytesPerRecord * (14 + 2 * addressBytes) + 64);
  appendRecord(text, 0, 2, 0, {});
  for (std::size_t address = 0; address < image.size(); address += kBytesPerRecord) {
    const auto length = std::min(kBytesPerRecord, image.size() - address);
    appendRecord(text, dataType, addressBytes, address, image.subspan(address, length));
  }
  appendRecord(text, endType, addressBytes, 0, {});
  return text;
}

}  // namespace burnlab
