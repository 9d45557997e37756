#pragma once

#include <ostream>
#include <string>

#include "launch/port_stack.h"

namespace burnlab {

// Puts the simulated chip kept in a file (--sim-chip) back into it when the command ends, on
// whichever way it ends. The command's end calls `finish`, which gives the reason of a failure
// for the exit status; a way out that never reaches it still writes the chip back when the
// object goes, and says so on `messages` when that fails. Made after the signal handlers, it
// goes before them: a second Ctrl-C during the write cannot cut it short.
class ChipWriteBack {
 public:
  ChipWriteBack(PortStack& stack, std::ostream& messages) : stack_(stack), messages_(messages) {}
  ~ChipWriteBack() {
    if (finished_) return;
    if (const auto problem = finish(); !problem.empty()) {
      messages_ << "burnlab-cli: " << problem << '\n';
    }
  }
  ChipWriteBack(const ChipWriteBack&) = delete;
  ChipWriteBack& operator=(const ChipWriteBack&) = delete;

  // Writes the chip back now; why it could not be, or nothing (also without a kept chip).
  std::string finish() {
    finished_ = true;
    return stack_.writeBackChip();
  }

 private:
  PortStack& stack_;
  std::ostream& messages_;
  bool finished_ = false;
};

}  // namespace burnlab
