#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "buffers/image_content.h"

namespace burnlab {

// The lines of a HEX or S-record file, numbered from 1 as an editor numbers them. A line ends
// at CR LF, LF or CR; blanks and tabs around a record are not part of it.
class RecordLines {
 public:
  explicit RecordLines(std::span<const std::uint8_t> text)
      : text_(reinterpret_cast<const char*>(text.data()), text.size()) {}

  // The next line, trimmed; false at the end of the text.
  bool next(std::string_view& line);
  // The number of the line next() gave last.
  std::size_t number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t number_ = 0;
};

// What a record's handler makes of it: go on, it was the end record, or the file is refused.
enum class RecordStep { Next, Ended, Refused };

// Hands every record of `lines` (blank lines passed over) with its line number to
// `onRecord(line, number)` until it refuses one. A record after the end record is refused with
// `afterEnd`: it would be lost without a word (a joined pair of files, say). Returns whether
// every record was taken; `ended` tells whether the end record came.
template <typename OnRecord>
bool forEachRecord(RecordLines& lines, const char* afterEnd, ImageFault& fault, bool& ended,
                   OnRecord onRecord) {
  ended = false;
  std::string_view line;
  while (lines.next(line)) {
    if (line.empty()) continue;
    const auto number = lines.number();
    if (ended) {
      fault = {number, afterEnd};
      return false;
    }
    const RecordStep step = onRecord(line, number);
    if (step == RecordStep::Refused) return false;
    if (step == RecordStep::Ended) ended = true;
  }
  return true;
}

// Decodes pairs of hex digits (either case) into `bytes`. A character that is no hex digit, or
// an odd number of digits, refuses the line.
bool decodeHexPairs(std::string_view digits, std::size_t line, std::vector<std::uint8_t>& bytes,
                    ImageFault& fault);

// Whether a record's checksum byte `given` is the one its bytes need, `wanted`; refuses the
// line otherwise.
bool checksumMatches(std::uint8_t given, std::uint8_t wanted, std::size_t line, ImageFault& fault);

// Two upper-case hex digits for every byte.
void appendHexPairs(std::string& text, std::span<const std::uint8_t> bytes);

// A number in upper-case hex without leading zeros, marked with "h": "1F4h".
std::string hexNumber(std::uint64_t value);

}  // namespace burnlab
