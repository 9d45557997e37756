#pragma once

#include "link/board.h"
#include "support/fake_pace_clock.h"
#include "support/recording_port.h"

namespace burnlab::testing {

struct CountingIndicators final : BoardIndicators {
  void toggleProgramLamp() override { ++toggles; }
  void resetProgressBar() override { ++progressResets; }
  int toggles = 0;
  int progressResets = 0;
};

// A Board on a recording port, set up for a model at a base.
struct BoardRig {
  explicit BoardRig(int model = 6, std::int16_t base = 0x378) : board(port, indicators) {
    board.InitControlTables();
    board.setPortBase(base);
    board.Model = static_cast<std::int16_t>(model);
    board.SetupPortModel();
    board.paceDelaysWith(clock);
  }
  // The expected lines of writing `value` to register `index` with this board's model.
  std::vector<std::string> write(int index, std::uint8_t value) const {
    return registerWrite(static_cast<std::uint16_t>(board.PortBase), value,
                         static_cast<std::uint8_t>(board.CtrlIdle[index]),
                         static_cast<std::uint8_t>(board.CtrlStrobe[index]));
  }

  RecordingPort port;
  CountingIndicators indicators;
  FakePaceClock clock;  // declared before the board, which keeps it
  Board board;
};

inline std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace burnlab::testing
