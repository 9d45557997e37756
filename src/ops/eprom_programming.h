#pragma once

#include <cstdint>

#include "ops/eprom_pulses.h"
#include "ops/programming_run.h"

namespace burnlab {

// Programs ProgramImage[0 .. ProgramSize-1] into a UV EPROM, address by address: bytes that
// are FFh (the erased state) are skipped; every other byte gets program pulses until it reads
// back as written, at most 254 of them, and from the 56th on each pulse is lengthened. A byte
// that never reads back right is reported and ends the routine; the rest of the chip is left
// untouched. The board must have been reset with address 0 loaded.
class EpromProgramming {
 public:
  EpromProgramming(OperationContext& context, ProgrammingRun& run)
      : c_(context), run_(run), pulses_(context, run) {}

  void P2732();       // 2716, 2732A, 2732B, 2732, 27C32
  void P2764_128();   // 2764, 27C64, 27128, 27C128
  void P27256();      // 27256, 27C256
  void P27C040();     // 27C4001, 27C040
  void P27080();      // 27C512, 27C801, 27C080
  void P27010_020();  // 27C1001, 27C010, 27C2001, 27C020

  // Where the five routines differ within their common frame.
  struct Routine {
    // Chip enable asserted and output enable released while preparing (27C010/020), instead
    // of the bus driven and both released.
    bool chipEnabledAtStart = false;
    // Voltage bits of register 0 on models 5 and 6, and the wait for VPP to settle above
    // 12.5 V (2732 and 2764/128 classes).
    bool selectsVoltage = false;
    // Register 0 bits that route VPP to the chip's VPP pin.
    std::int16_t routineBits = 0;
    // Reads each address first and skips a byte the chip already holds; OE is asserted once
    // before the loop.
    bool readsBeforeWriting = false;
    // The read before writing releases VPP and asserts OE first (2732, whose OE is its VPP).
    bool releasesVppToRead = false;
    // The address is loaded again before the pulses (all but the 27C512/27C080, whose read
    // before writing has loaded it).
    bool loadsAddressToWrite = true;
    // CE asserted before a byte's pulses and released after the loop (2764/128: the pulse is
    // on PGM).
    bool holdsChipEnabled = false;
    // The Program lamp blinks when address AND blinkMask is 0.
    std::int32_t blinkMask = 511;
    void (EpromPulses::*pulse)(bool lengthened) = nullptr;
  };

 private:
  void programEprom(const Routine& routine);
  void prepareLines(const Routine& routine);
  void setProgrammingVoltage(const Routine& routine);
  // The byte the chip already holds at the current address, read with CE pulsed low.
  void readBeforeWriting(const Routine& routine);
  // Pulses until the byte reads back as ProgramByte; false after 254 failed pulses, when the
  // failure has been reported.
  bool programByte(const Routine& routine);

  OperationContext& c_;
  ProgrammingRun& run_;
  EpromPulses pulses_;
};

}  // namespace burnlab
