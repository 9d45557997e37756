#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "ops/operation_context.h"
#include "ops/programming_run.h"
#include "ops/two_wire_bus.h"

namespace burnlab {

// How a serial EEPROM takes a page write: its page size, how the device byte and the word
// address carry an address, and what an erase logs first.
struct SerialPageLayout {
  std::int32_t pageBytes;
  // The 24C08 and 24C16 take one address byte and the 256-byte block in the device byte; the
  // 24C32 takes the device byte A0h and two address bytes.
  bool twoAddressBytes;
  std::string_view eraseLine;
};

// The page count for `codeSize` bytes: whole pages, a last partial one included (1000 bytes in
// 16-byte pages give 63 pages).
std::int32_t serialPageCount(std::int32_t codeSize, std::int32_t pageBytes);

// Writes the code buffer (or FFh everywhere while Erase Chip runs) into a 24C08, 24C16 or 24C32
// a page at a time over the two-wire bus, and waits out each page's write cycle by polling the
// chip for an acknowledge; then reads back what was written and reports the first byte that
// differs as a programming failure. Leaves AckError set when the chip stopped answering.
class SerialEepromWrite {
 public:
  SerialEepromWrite(OperationContext& context, TwoWireBus& bus) : c_(context), bus_(bus) {}

  // 24C08 and 24C16: 16-byte pages.
  void Write24CXX(ProgrammingRun& run);
  // 24C32: 32-byte pages.
  void Write24C32(ProgrammingRun& run);

  static constexpr SerialPageLayout k24CXX{16, false, "Erasing Device 24CXX"};
  static constexpr SerialPageLayout k24C32{32, true, "Erasing Device 24C32"};

 private:
  void writePages(const SerialPageLayout& layout, ProgrammingRun& run);
  // The `count` bytes the pages carry: the code, FFh past its end, or FFh only when erasing.
  std::vector<std::uint8_t> bytesToWrite(std::int32_t count, bool erasing) const;
  // One page from chip address `a`; false when a byte was not acknowledged.
  bool writePage(const SerialPageLayout& layout, std::int32_t a,
                 std::span<const std::uint8_t> bytes);
  // Reads the written range back; the first byte that differs is a programming failure.
  void readBack(std::span<const std::uint8_t> written, ProgrammingRun& run);
  // Asks for an acknowledge until the write cycle is over, 2 ms apart, at most 50 times.
  void pollWriteCycle(std::uint8_t deviceByte);
  bool send(std::uint8_t byte);

  OperationContext& c_;
  TwoWireBus& bus_;
};

}  // namespace burnlab
