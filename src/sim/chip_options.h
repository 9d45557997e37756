#pragma once

#include <cstdint>
#include <vector>

namespace burnlab::sim {

// Bits of one cell that hold a fixed value whatever is written or erased.
struct StuckBits {
  std::uint32_t address = 0;
  std::uint8_t mask = 0;   // the stuck bits
  std::uint8_t value = 0;  // what they are stuck at
};

// One cell that differs from the image the chip was loaded with.
struct ChangedByte {
  std::uint32_t address = 0;
  std::uint8_t value = 0;
};

// How a simulated chip departs from a good part of its type, on request.
struct ChipOptions {
  bool original = false;        // an NMOS original that needs 21 V or 25 V to program
  bool startLocked = false;     // a parallel EEPROM whose data protection is already on
  bool slowWriteCycle = false;  // write cycles take 10 ms instead of 5 ms
  // An EPROM cell's programming need is drawn from the seed; `slowFactor` multiplies it, and
  // `fixedPulses` (when not 0) makes every cell need exactly that many nominal pulses.
  std::uint64_t seed = 1;
  int slowFactor = 1;
  int fixedPulses = 0;
  // Flash: sectors (bit n: sector n) whose program and erase are refused; erases that run to
  // their time-out and fail; the unlock decoding of the earlier revisions (A0..A14, 5555h and
  // 2AAAh) instead of the later ones' (A0..A10, 555h and 2AAh).
  std::uint32_t protectedSectors = 0;
  bool eraseFails = false;
  bool earlierUnlock = false;
  // Two-wire EEPROM: WP held high (writes acknowledged, nothing stored); a chip that never
  // acknowledges.
  bool writeProtect = false;
  bool neverAcknowledges = false;
  std::vector<StuckBits> stuck{};
  std::vector<ChangedByte> changed{};  // applied after the image is loaded
};

}  // namespace burnlab::sim
