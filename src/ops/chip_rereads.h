#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/board.h"
#include "panel/platform.h"

namespace burnlab {

// A chip read several times over: the addresses whose byte was not the same in every read. A
// sound chip in a sound socket reads the same every time; one that does not points to a chip
// that sits badly, a bent pin or a bad contact in the read-back.
struct ChipRereads {
  struct Difference {
    std::int32_t address = 0;
    std::uint8_t first = 0;  // the byte of the first read
    std::uint8_t other = 0;  // the first byte that differed from it
  };
  int reads = 0;
  std::int32_t size = 0;
  std::int32_t differing = 0;        // addresses that gave different bytes
  std::vector<Difference> firstFew;  // the lowest of them, at most kListed
  bool allErased = true;             // every byte read FFh (an erased chip, or none at all)

  static constexpr std::size_t kListed = 5;
};

// Reads the parallel chip of `size` bytes `reads` times, as Read does; `atPage` runs at every
// page (a stop ends the reads there).
ChipRereads rereadChip(Board& board, Platform& platform, std::int32_t size, int reads,
                       const std::function<void()>& atPage);

// "3 reads of 32768 bytes agree" or "2 addresses gave different bytes: 0010h (3Ch, 3Eh), ...".
std::string rereadText(const ChipRereads& rereads);

}  // namespace burnlab
