#pragma once

#include <cstdint>

#include "ops/flash_command.h"
#include "ops/flash_identification.h"
#include "ops/programming_run.h"

namespace burnlab {

// Programming the 32-pin flash chips byte by byte: the chip is identified first and refused
// when its maker is unknown; each byte then gets the program command and is read back until it
// holds its value, at most 49 times.
class FlashProgramming {
 public:
  FlashProgramming(OperationContext& context, FlashCommandCycles& commands,
                   FlashIdentification& identification)
      : c_(context), commands_(commands), id_(identification) {}

  // 1 while the byte just handled does not read back as ProgramByte.
  std::int32_t FlashBusy = 0;
  // Set by the read-back when the chip reports that its program of the byte timed out (DQ5).
  bool FlashTimedOut = false;

  // Program, for the 32-pin flash chips: the program image up to the code size, in whole
  // 256-byte pages and never past the image.
  void ProgramFlash(ProgrammingRun& run);

  // Programs run.ProgramByte at the address the shadows Reg1, Reg2 and Reg3 hold (not yet
  // written to the board): the program command, then the address and the byte with a
  // write-enable pulse. The address stays loaded for the read-back. A byte of FFh, the erased
  // state, gets no command: only an erase sets bits, and the read-back tells whether it is there.
  void WriteFlashByte(std::uint8_t programByte);
  // Reads the byte at the loaded address back and compares it with `programByte`: FlashBusy 0
  // when they are equal, FlashTimedOut when the chip reports a time-out (DQ5) on a second read.
  void PollFlashByte(std::uint8_t programByte);

  // LoopFlashTest: the byte program repeated Slider1 x 1000 times, a short loop between.
  void LoopFlashTest_Click(ProgrammingRun& run);

 private:
  // The bytes of one 256-byte page from LinearAddress on; false when a byte failed and the
  // failure has been reported.
  bool programPage(ProgrammingRun& run);
  bool programByte(ProgrammingRun& run);
  // The byte failed: the chip back to reading its array, the byte read there, the report.
  void reportByteFailure(ProgrammingRun& run);

  OperationContext& c_;
  FlashCommandCycles& commands_;
  FlashIdentification& id_;
};

}  // namespace burnlab
