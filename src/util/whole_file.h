#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace burnlab {

// A file read whole (an image, a help document, a setup or port file), or the reason it was
// not.
struct FileRead {
  enum class Outcome {
    Read,        // `bytes` holds the whole file
    Unreadable,  // could not be opened or read: `error` gives the system's reason
    TooLong,     // longer than allowed: `length` is its length, nothing was read
  };

  Outcome outcome = Outcome::Unreadable;
  std::vector<std::uint8_t> bytes;
  std::uintmax_t length = 0;
  std::string error;

  bool read() const { return outcome == Outcome::Read; }
};

// Reads the whole file, refusing one longer than `maxLength` bytes before reading any of it.
// A directory or another file that is not a plain file is refused as unreadable. The bytes go
// into `scratch`'s memory, handed back in `bytes`: a caller that keeps it for the next read
// does not pay for fresh memory each time.
FileRead readWholeFile(const std::filesystem::path& file, std::uintmax_t maxLength,
                       std::vector<std::uint8_t> scratch = {});

}  // namespace burnlab
