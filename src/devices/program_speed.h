#pragma once

#include <cstdint>
#include <string>

#include "panel/selected_device.h"

namespace burnlab {

// The per-device factors that scale the programmer link's busy-wait loops.
struct DelayFactors {
  std::int32_t shortFactor = 5;
  std::int32_t mediumFactor = 100;
  std::int32_t longFactor = 500;

  friend bool operator==(const DelayFactors&, const DelayFactors&) = default;
};

// The loop bounds of the link's three delays.
struct DelayCounts {
  std::int32_t shortCount = 0;
  std::int32_t mediumCount = 0;
  std::int32_t longCount = 0;

  friend bool operator==(const DelayCounts&, const DelayCounts&) = default;
};

// Factors for a device's sub-code: the slow 2716/2732 and 2764 classes ("1", "2", anything
// below "3") take 50/20000/100000, the 27C801/27C080 class ("9") 2/50/250, every other 5/100/500.
DelayFactors delayFactorsFor(char subCode);

// The delay counts for the speed slider: slowness s = maximum - value, each count s x factor + 2,
// and in the slow half of the slider (value below 10) the short count from the medium factor.
DelayCounts programSpeedCounts(std::int32_t sliderValue, std::int32_t sliderMax,
                               const DelayFactors& factors);

// The 2716/2732 routine's program pulse: a sleep of this length, whatever the slider says.
inline constexpr int k2732PulseMs = 5;
// The X28C256 and AT29C256: whole milliseconds from the last byte of a page until its write
// cycle is surely over (the byte-load window of at most 150 us, then a cycle of up to 10 ms).
inline constexpr int kPageWriteCycleMs = 11;

// The real time of a program pulse of `count` (DelayMedium, DelayLong): half a microsecond a
// count, whatever the PC's loop speed.
std::uint64_t pacedDelayNs(std::int32_t count);

// The pauses of a page-write chip around each page at slowness s: before its bytes are loaded,
// s + 1 ms; after them, for the write cycle, s + 3 ms or `longestWriteCycleMs` when longer.
struct PagePauses {
  int beforeLoadMs = 0;
  int writeCycleMs = 0;
};
PagePauses pagePauses(std::int32_t slowness, int longestWriteCycleMs);

// The line beside the speed slider: the program pulse a device programmed by `routine` gets
// with these counts at this slowness. "Pulse 101 \xB5s" (Latin-1) for the EPROMs timed by the
// slider, the 2716/2732 routine's fixed pulse as such, the page pauses of the X28C256 and AT29C256;
// the flash and serial parts, which time their own writes, say so. Empty with no device chosen.
std::string programPulseLine(ProgramRoutine routine, const DelayCounts& counts,
                             std::int32_t slowness);

}  // namespace burnlab
