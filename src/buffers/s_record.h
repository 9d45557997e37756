#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "buffers/image_content.h"

namespace burnlab {

// Motorola S-records: text lines "S<type><count><address><data><checksum>". S0 is a header,
// S1, S2 and S3 carry data at 16-, 24- and 32-bit addresses, S5 and S6 count the data records,
// and S9, S8 or S7, which many tools leave out, ends the file.

// Places every data record of `text` in `image`. False, with the line and the reason in
// `fault`, for the first record that is malformed, contradicts an earlier one, reaches past the
// image's capacity or miscounts the data records, or follows the end record, and for a file
// without data. `ended`, when given, tells whether the file had its end record.
bool decodeSRecords(std::span<const std::uint8_t> text, ImageContent& image, ImageFault& fault,
                    bool* ended = nullptr);

// Bytes in a data record's address: S1 2, S2 3, S3 4.
enum class SRecordAddress { Bits16 = 2, Bits24 = 3, Bits32 = 4 };

// The image as S-records from address 0, 16 bytes a record, every byte of it written: a header,
// the data records and the end record, with at least `narrowest` address bytes (wider when the
// image needs them). Lines end with CR LF.
std::string encodeSRecords(std::span<const std::uint8_t> image,
                           SRecordAddress narrowest = SRecordAddress::Bits16);

}  // namespace burnlab
