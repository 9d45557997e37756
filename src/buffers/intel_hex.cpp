#include "buffers/intel_hex.h"

#include <array>
#include <numeric>
#include <vector>

#include "buffers/record_text.h"

namespace burnlab {
namespace {

enum RecordType : std::uint8_t {
  kData = 0x00,
  kEndOfFile = 0x01,
  kSegmentAddress = 0x02,
  kStartSegment = 0x03,
  kLinearAddress = 0x04,
  kStartLinear = 0x05,
};

constexpr std::size_t kRecordFrame = 5;  // length, two address bytes, type, checksum
constexpr std::size_t kBytesPerRecord = 16;

std::uint8_t byteSum(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

// The checksum byte that makes a record's bytes add up to zero.
std::uint8_t checksumFor(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint8_t>(0x100 - byteSum(bytes));
}

// One record of the file, its frame checked.
struct Record {
  std::uint8_t type = 0;
  std::uint16_t offset = 0;
  std::span<const std::uint8_t> data;
};

bool parseRecord(std::string_view line, std::size_t number, std::vector<std::uint8_t>& bytes,
                 Record& record, ImageFault& fault) {
  if (line.front() != ':') {
    fault = {number, "the line does not start with ':'"};
    return false;
  }
  if (!decodeHexPairs(line.substr(1), number, bytes, fault)) return false;
  if (bytes.size() < kRecordFrame) {
    fault = {number, "the record is too short"};
    return false;
  }
  const std::size_t dataLength = bytes[0];
  if (bytes.size() != dataLength + kRecordFrame) {
    fault = {number, "the record's length byte gives " + std::to_string(dataLength) +
                         " data bytes, the line holds " +
                         std::to_string(bytes.size() - kRecordFrame)};
    return false;
  }
  const std::span<const std::uint8_t> counted(bytes.data(), bytes.size() - 1);
  if (!checksumMatches(bytes.back(), checksumFor(counted), number, fault)) return false;
  record.offset = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
  record.type = bytes[3];
  record.data = std::span<const std::uint8_t>(bytes).subspan(4, dataLength);
  return true;
}

bool needLength(const Record& record, std::size_t length, std::size_t number, ImageFault& fault) {
  if (record.data.size() == length) return true;
  fault = {number, "a record of type " + hexNumber(record.type) + " holds " +
                       std::to_string(length) + " data bytes, this one " +
                       std::to_string(record.data.size())};
  return false;
}

std::uint32_t bigEndianWord(std::span<const std::uint8_t> data) {
  return static_cast<std::uint32_t>(data[0] << 8 | data[1]);
}

void appendRecord(std::string& text, std::uint8_t type, std::uint16_t offset,
                  std::span<const std::uint8_t> data) {
  std::array<std::uint8_t, 4 + 255> bytes{};
  bytes[0] = static_cast<std::uint8_t>(data.size());
  bytes[1] = static_cast<std::uint8_t>(offset >> 8);
  bytes[2] = static_cast<std::uint8_t>(offset);
  bytes[3] = type;
  std::copy(data.begin(), data.end(), bytes.begin() + 4);
  const std::span<const std::uint8_t> record(bytes.data(), 4 + data.size());
  const std::array<std::uint8_t, 1> checksum{checksumFor(record)};
  text += ':';
  appendHexPairs(text, record);
  appendHexPairs(text, checksum);
  text += "\r\n";
}

}  // namespace

bool decodeIntelHex(std::span<const std::uint8_t> text, ImageContent& image, ImageFault& fault) {
  RecordLines lines(text);
  std::vector<std::uint8_t> bytes;
  std::uint64_t base = 0;
  bool ended = false;
  const auto take = [&](std::string_view line, std::size_t number) {
    Record record;
    if (!parseRecord(line, number, bytes, record, fault)) return RecordStep::Refused;
    switch (record.type) {
      case kData:
        if (!image.place(base + record.offset, record.data, number, fault)) {
          return RecordStep::Refused;
        }
        return RecordStep::Next;
      case kEndOfFile:
        return needLength(record, 0, number, fault) ? RecordStep::Ended : RecordStep::Refused;
      case kSegmentAddress:
        if (!needLength(record, 2, number, fault)) return RecordStep::Refused;
        base = std::uint64_t{bigEndianWord(record.data)} << 4;
        return RecordStep::Next;
      case kLinearAddress:
        if (!needLength(record, 2, number, fault)) return RecordStep::Refused;
        base = std::uint64_t{bigEndianWord(record.data)} << 16;
        return RecordStep::Next;
      case kStartSegment:
      case kStartLinear:
        return needLength(record, 4, number, fault) ? RecordStep::Next : RecordStep::Refused;
      default:
        fault = {number, "record type " + hexNumber(record.type) + " is not an Intel HEX record"};
        return RecordStep::Refused;
    }
  };
  if (!forEachRecord(lines, "a record follows the end-of-file record", fault, ended, take)) {
    return false;
  }
  if (!ended) {
    // A file cut short in transfer looks just like this: its last records may be missing.
    fault = {lines.number(), "the file ends without its end-of-file record"};
    return false;
  }
  if (image.empty()) {
    fault = {0, "the file holds no data records"};
    return false;
  }
  return true;
}

std::string encodeIntelHex(std::span<const std::uint8_t> image) {
  std::string text;
  text.reserve(image.size() / kBytesPerRecord * 45 + 64);
  std::uint32_t upper = 0;
  for (std::size_t address = 0; address < image.size(); address += kBytesPerRecord) {
    // Records start on multiples of 16, so none crosses a 64 KiB boundary.
    if (address >> 16 != upper) {
      upper = static_cast<std::uint32_t>(address >> 16);
      const std::array<std::uint8_t, 2> bits{static_cast<std::uint8_t>(upper >> 8),
                                             static_cast<std::uint8_t>(upper)};
      appendRecord(text, kLinearAddress, 0, bits);
    }
    const auto length = std::min(kBytesPerRecord, image.size() - address);
    appendRecord(text, kData, static_cast<std::uint16_t>(address), image.subspan(address, length));
  }
  appendRecord(text, kEndOfFile, 0, {});
  return text;
}

}  // namespace burnlab
