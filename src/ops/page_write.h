#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ops/operation_context.h"
#include "ops/programming_run.h"

namespace burnlab {

// What tells the 32 KiB page-write chips apart. The X28C256 EEPROM and the AT29C256 flash are
// written by one algorithm: software data protection off, then 512 pages of 64 bytes, each
// loaded byte by byte, left to its write cycle and read back.
struct PageWriteChip {
  // Loads the current address into the board before the run (SETADR_XICOR, SETADR_FLASH).
  void (Board::*loadAddress)();
  // Register 1's address lines for an address byte A15..A8 (the chip's A14 sits on bit 7 or 6).
  std::int16_t (*highAddressLines)(std::int32_t addressByte);
  // The register-1 bit of the chip's write-enable line, active low (40h or 80h).
  std::int16_t writeStrobe;
  // Pause after protection is switched off, before the first page.
  int unlockSettleMs;
  // Whole milliseconds from the last byte of a page until its write cycle is surely over: the
  // byte-load window, after which the chip starts the cycle, plus the longest cycle.
  int longestWriteCycleMs;
  std::string_view startLine;
  std::string_view doneLine;
};

// One bus cycle of a command sequence: `data` written to `address`.
struct CommandCycle {
  std::uint16_t address;
  std::uint8_t data;
};

// The software data protection sequences of these chips.
inline constexpr CommandCycle kProtectionOff[] = {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80},
                                                  {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x20}};
inline constexpr CommandCycle kProtectionOn[] = {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}};

inline constexpr std::int32_t kPageWritePages = 512;
inline constexpr std::int32_t kPageWriteBytes = 64;
// Write attempts a page gets before the run fails: the counter starts one higher.
inline constexpr int kPageWriteAttempts = 79;
// The progress bar steps once per this many pages: 64 steps.
inline constexpr std::int32_t kPagesPerBarStep = 8;

// The board sequences of a page-write chip: command cycles, loading a page, reading it back.
class PageWrite {
 public:
  PageWrite(OperationContext& context, const PageWriteChip& chip) : c_(context), chip_(chip) {}

  // Programs the 32 KiB program image into the chip: protection off, then each page loaded,
  // left to its write cycle and read back, up to 79 times. A page that never reads back equal
  // ends the run with the failure report and register 0 cleared; the pages after it are not
  // written. A run that succeeds logs the chip's line and resets the board.
  void program(ProgrammingRun& run);

  // The speed slider's slowness s, the maximum minus the value: the pauses are s + 1, s + 3
  // and s + 5 ms.
  int slowness() const;

  // One command bus cycle: the address on registers 1 and 2, the data on register 4, then a
  // chip-enable and write-strobe pulse, each step held for 300 counts. Its register writes
  // settle as at the fastest speed, so that the cycles of a sequence stay one load.
  void writeCommand(CommandCycle cycle);
  // A command sequence with the output disabled and the chip's supply on, then a pause of
  // s + 5 ms for the chip to take it, or `shortestPauseMs` when that is longer.
  void sendCommands(std::span<const CommandCycle> cycles, int shortestPauseMs = 0);

  // Register 1's value for the page holding the current address, written only when it changes.
  void selectPage(std::int32_t page);
  // Loads the 64 image bytes of `page` in ascending order, each with its own chip-enable and
  // write-strobe pulse, the register writes settling as at the fastest speed, so that the
  // bytes stay one load however slow the slider is set.
  void loadPage(std::int32_t page, std::span<const std::uint8_t> image);
  // The pause before the page is read back: s + 3 ms, but never shorter than the chip's write
  // cycle can take, so that a good chip is never read while it is still writing.
  void waitForWriteCycle();
  // Releases the data bus, reads the page back and compares it with the image; returns the address
  // of the first byte that differs (LinearAddress and DataByte are left at it), or nothing when all
  // 64 match.
  std::optional<std::int32_t> firstMismatch(std::int32_t page, std::span<const std::uint8_t> image);

 private:
  void prepare(ProgrammingRun& run);
  // One page, attempt after attempt; false when it never read back equal.
  bool writePage(ProgrammingRun& run, std::int32_t page, std::span<const std::uint8_t> image);
  void strobeOn();
  void strobeOff();
  void setAddress(std::int32_t linearAddress);

  OperationContext& c_;
  const PageWriteChip& chip_;
};

}  // namespace burnlab
