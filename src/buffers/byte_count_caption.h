#pragma once

#include <cstdint>
#include <string>

namespace burnlab {

// The file labels' byte count, "(32768 Bytes)", in the words the labels start with: shown after
// every change of the buffer, a Read as well as an Open.
std::string byteCountCaption(std::int32_t bytes);

}  // namespace burnlab
