#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace burnlab {

// One check of the board test: its name, its verdict, and what it saw (the figures it measured,
// or the fault in the board's words). A warning passes, but says what the user should know:
// the board works, the PC under it is slow or busy.
struct SelfTestCheck {
  enum class Verdict { Passed, Fault, NotDone, Warning };
  std::string name;
  Verdict verdict = Verdict::Passed;
  std::string text;

  bool fault() const { return verdict == Verdict::Fault; }
};

// The lines a drawing of the read-back path shows: the 8 socket data lines, the 4 status lines
// that carry the nibbles (as status register bit numbers, in nibble-bit order) and the
// nibble-select line, each sound or not, and a pair of data lines found shorted together.
struct BoardLineStates {
  bool tested = false;  // the data path has been driven and read
  std::array<bool, 8> dataOk{true, true, true, true, true, true, true, true};
  std::array<int, 4> statusBits{3, 4, 5, 6};
  std::array<bool, 4> statusOk{true, true, true, true};
  bool selectOk = true;
  std::optional<std::pair<int, int>> shorted;
};

// What the board test found, check by check as it goes.
struct SelfTestReport {
  enum class Outcome { Running, Passed, FaultFound, NoBoard };
  Outcome outcome = Outcome::Running;
  std::vector<SelfTestCheck> checks;
  BoardLineStates lines;

  // "all 4 checks passed", "all 4 checks passed, 1 with a warning", "1 of 4 checks found a
  // fault", "no board answered".
  std::string summary() const;
  // One line per check: "Data path: OK: ...", "Data path: FAULT: ...", "Program pulse:
  // WARNING: ...".
  static std::string lineOf(const SelfTestCheck& check);
};

}  // namespace burnlab
