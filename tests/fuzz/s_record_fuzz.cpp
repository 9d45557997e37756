// S-record files as the user gives them: decoded for the largest chip, and what is accepted
// written and read back.
#include "buffers/s_record.h"
#include "record_file_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace burnlab;
  fuzz::decodeAndRoundTrip(
      std::span(data, size),
      [](auto text, ImageContent& image, ImageFault& fault) {
        return decodeSRecords(text, image, fault);
      },
      [](auto bytes) { return encodeSRecords(bytes); });
  return 0;
}
