#pragma once

// The srecord tools as an independent reference: files written here are converted by
// srec_cat, and files srec_cat writes are read here, and the bytes are compared.
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace burnlab::testing {

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& file, const std::string& text) {
  writeAll(file, text);
}

inline void writeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  writeAll(file, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

// Runs srec_cat with `arguments`; its exit status (127 when it is not installed).
inline int srecCat(const std::string& arguments) {
  const int raw = std::system(("srec_cat " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Bytes that vary from address to address and take every value.
inline std::vector<std::uint8_t> patternBytes(std::size_t length, std::uint32_t seed = 1) {
  std::vector<std::uint8_t> bytes(length);
  std::uint32_t state = seed;
  for (auto& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<std::uint8_t>(state >> 16);
  }
  return bytes;
}

}  // namespace burnlab::testing
