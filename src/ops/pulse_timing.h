#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/board.h"

namespace burnlab {

// How long the board's program pulses really last on this PC: DelayMedium at the speed
// slider's default, run many times, each timed on the clock the pulses keep their time by.
struct PulseFigures {
  std::uint64_t requestedNs = 0;
  std::uint64_t shortestNs = 0;
  std::uint64_t medianNs = 0;
  std::uint64_t longestNs = 0;
  int pulses = 0;
};

// What the figures mean for programming: a pulse shorter than asked for may leave a byte
// unprogrammed and is a fault; a median more than 20 % long, or any pulse more than 5 times the
// width, points to a loaded or virtual machine (the chips tolerate it, programming takes
// longer).
enum class PulseVerdict { Precise, TooShort, MedianLong, PulseLong };
PulseVerdict judgePulses(const PulseFigures& figures);

// Runs `pulses` pulses of the medium delay at the default slider's count, each timed on
// `monotonicNs`; `betweenPulses` is called every so often outside the timed pulses (the stop
// check). The board's medium count is restored on every exit.
PulseFigures measureProgramPulses(Board& board, const std::function<std::uint64_t()>& monotonicNs,
                                  int pulses, const std::function<void()>& betweenPulses);

// The medium delay's count at the default slider for the common EPROMs: 202 counts, 101 us.
std::int32_t defaultMediumDelayCount();

// "requested 101 µs; shortest 101.0 µs, median 101.2 µs, longest 130.4 µs in 1000 pulses",
// followed by what is wrong with them, if anything.
std::string pulseText(const PulseFigures& figures, PulseVerdict verdict);

}  // namespace burnlab
