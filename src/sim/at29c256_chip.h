#pragma once

#include <cstdint>
#include <vector>

#include "sim/chip_options.h"
#include "sim/page_loading_chip.h"

namespace burnlab::sim {

// The AT29C256 32 KiB sector-write flash. Its pin 1 is WE and its pin 27 is A14, the reverse of
// the X28C256. A load of data bytes programs the 64-byte sector (A6..A14) of its first byte in
// one 10 ms cycle that first erases the whole sector: a byte of it that was not loaded reads
// FFh afterwards. Byte loads follow each other within 150 us. Command loads (5555/2AAA):
//   AA 55 90          identification: address 0 reads 1Fh (the maker), address 1 DCh;
//   AA 55 F0          back to reading the array;
//   AA 55 A0 + data   software data protection on; the data is programmed;
//   AA 55 80 AA 55 20 protection off (data after it is programmed);
//   AA 55 80 AA 55 10 chip erase, 10 ms.
// While protection is on, a load without the A0 prefix programs nothing (reported as refused).
// Protection is off as shipped: the datasheet has the part leave the factory with software data
// protection disabled (the wiring notes expected it on; the datasheet holds). The `locked` fault
// starts it on. OE stands 13.5 V, every other pin 7 V.
class At29c256Chip final : public PageLoadingChip {
 public:
  explicit At29c256Chip(const ChipOptions& options);

  static constexpr std::size_t kSize = 32 * 1024;
  static constexpr std::uint64_t kByteLoadWindowNs = 150'000;
  static constexpr std::uint64_t kProgramCycleNs = 10'000'000;
  static constexpr std::uint64_t kChipEraseNs = 10'000'000;
  static constexpr std::uint8_t kMakerCode = 0x1F, kDeviceCode = 0xDC;

 private:
  std::uint64_t takeLoad(const std::vector<LoadedByte>& load, std::uint64_t endNs) override;
  std::uint8_t readByte(std::uint32_t address) override;
  // Programs the sector of the first loaded byte, erasing the bytes not loaded.
  void programSector(const std::vector<LoadedByte>& data);

  bool identifying_ = false;
};

}  // namespace burnlab::sim
