#pragma once

#include <cstdint>

#include "ops/flash_command.h"
#include "ops/programming_run.h"

namespace burnlab {

// Erase Chip for the 32-pin flash chips: the chip erase command, the wait for the chip to
// report the erase done, and a read of every byte to see that it is FFh.
class FlashErase {
 public:
  FlashErase(OperationContext& context, FlashCommandCycles& commands)
      : c_(context), commands_(commands) {}

  // A failure (an erase that does not end in the datasheet's longest erase time, one the chip
  // reports as failed, a byte left unerased, as in a protected sector) is reported as a
  // programming failure.
  void EraseFlashChip(ProgrammingRun& run);

  // Waits for the byte at the loaded address to read `programByte`: up to 500 reads 5 ms
  // apart (about 2.5 s), the progress bar showing the time spent. Returns the reads left
  // unused: 0 when the byte never came.
  std::int32_t WaitFlashData(std::uint8_t programByte);

  // The family's datasheet times of a chip erase: typical, and the longest after which the
  // chip is faulty.
  static constexpr int kChipEraseTypicalMs = 8'000;
  static constexpr int kChipEraseLongestMs = 64'000;
  static constexpr int kStatusPollMs = 10;

 private:
  // DQ7 polling at address 0 until the erase is over; false when it failed or never ended.
  bool waitForErase();
  // The address of the first byte of the chip that does not read FFh, or -1.
  std::int32_t firstUnerasedByte();
  void reportFailure(ProgrammingRun& run, std::int32_t address, const char* why);
  // The chip back to reading its array (a chip that gave up shows its status until then).
  void resetToArray();
  // The byte at address 0 as the array holds it, into DataByte.
  void readArrayByteZero();

  OperationContext& c_;
  FlashCommandCycles& commands_;
};

}  // namespace burnlab
