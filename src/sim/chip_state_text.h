#pragma once

#include <string>
#include <string_view>

#include "sim/memory_chip.h"

namespace burnlab::sim {

// The text file that keeps, beside a file of a simulated chip's bytes, what the chip keeps
// besides them: one setting a line, a word and its value, the part first; lines starting with
// '#' and empty lines are passed over.
//   part 27C256                  the part, as --simulate names it (always)
//   destroyed no                 yes once a wrong voltage destroyed it (the parts that can be)
//   data-protection on           on or off: software data protection (X28C256, AT29C256)
//   protected-sectors 0 3        the protected sectors in rising order, or none (sector flash)
// Only printable ASCII is taken. Each part has exactly the settings it keeps: a missing one,
// one the part has no use for, an unknown word or value, a repeated setting all refuse the
// file with the line they stand on.
struct ChipStateText {
  std::string part;
  KeptState kept;  // the settings the text gives
  // The line each setting stood on, for refusing one that does not fit the part.
  int destroyedLine = 0;
  int dataProtectionLine = 0;
  int protectedSectorsLine = 0;
  std::string error;  // "line N: ..." when the text is not a state file
};

ChipStateText parseChipStateText(std::string_view text);

// The text for a chip of `part` that keeps `kept`.
std::string chipStateText(const std::string& part, const KeptState& kept);

// Why the settings `read` gives do not fit a part whose fresh chip keeps `fresh`: one missing,
// one the part does not have, a sector it does not have. Empty when they fit.
std::string whyStateDoesNotFit(const ChipStateText& read, const KeptState& fresh);

}  // namespace burnlab::sim
