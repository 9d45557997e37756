#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "sim/chip_options.h"
#include "sim/memory_chip.h"

namespace burnlab::sim {

// What the simulated socket holds, as `--simulate=SOCKET` names it:
//   none                 no board on any port
//   empty (or nothing)   a board with an empty socket
//   CHIP[,FAULT...][:IMAGE]
// CHIP is a part name ("27C256", "X28C256", "24C16"); IMAGE a raw file the chip starts with
// (erased without one). The faults (addresses and bytes in hexadecimal, counts in decimal):
//   original        an NMOS original that needs 21 V or 25 V
//   locked          a parallel EEPROM or AT29C256 whose data protection is on
//   slow            10 ms write cycles
//   slow=K          an EPROM whose cells need K times their drawn programming time (1..1000)
//   pulses=N        an EPROM whose every cell needs exactly N nominal program pulses of time
//                   (1..1000)
//   protect=N       a flash whose sector N (decimal) is protected (repeatable)
//   erasefails      a flash whose erases run to their time-out and fail (DQ5)
//   earlier         a flash of the earlier revision: unlock cycles to 5555h/2AAAh, A0..A14
//   wp              a two-wire EEPROM with WP held high: writes acknowledged, nothing stored
//   noack           a two-wire EEPROM that never acknowledges
//   set@ADDR=BYTE   the byte at ADDR differs from the image
//   stuck0@ADDR=MASK, stuck1@ADDR=MASK   the MASK bits at ADDR are stuck at 0 or 1
struct SocketChoice {
  enum class Kind { NoBoard, Empty, Chip };
  Kind kind = Kind::Empty;
  std::string chip;
  ChipOptions options;
  std::filesystem::path image;
};

struct ParsedSocketChoice {
  SocketChoice choice;
  std::string error;  // empty when the text was understood
};

ParsedSocketChoice parseSocketChoice(std::string_view text);

// The chip a choice of kind Chip asks for, its image loaded and its faults applied; nullptr with
// `error` set when the part is unknown or the image cannot be used.
std::shared_ptr<MemoryChip> buildSocketChip(const SocketChoice& choice, std::string& error);

// Applies the choice's faults of the memory array (stuck bits, changed bytes) to `chip`, once
// its contents are in; the reason when one lies past its end, and then nothing is applied.
std::string applyArrayFaults(MemoryChip& chip, const SocketChoice& choice);

}  // namespace burnlab::sim
