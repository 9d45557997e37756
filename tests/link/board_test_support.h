#pragma once

#include "link/board.h"
#include "link/board_probe.h"
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
  explicit BoardRig(int model = 6, std::int16_t base = 0x378) : BoardRig(nullptr, model, base) {}
  // The same, its port recording the traffic on to `inner` (a simulated board, say).
  BoardRig(PortIo* inner, int model, std::int16_t base = 0x378)
      : port(inner), board(port, indicators) {
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

// The probe's lamp and log, in the order they happen.
struct RecordingDisplay final : ProbeDisplay {
  void DataFlowLampOn() override { events.push_back("lamp on"); }
  void DataFlowLampOff() override { events.push_back("lamp off"); }
  void LogLine(const std::string& message) override { events.push_back(message); }
  std::vector<std::string> events;
};

// A fresh Board, as at start-up (control tables filled, no model ever set up), on `port`.
struct ProbeRig {
  explicit ProbeRig(PortIo& inner) : port(inner), board(port, indicators) {
    board.InitControlTables();
  }
  ProbeRig() : board(port, indicators) { board.InitControlTables(); }

  void probe(std::int16_t base) {
    board.setPortBase(base);
    CheckHardware(board, foundPort, display);
  }
  // The bits 6..4 of each status read, in order.
  std::vector<int> answers() const {
    std::vector<int> bits;
    for (const auto& line : port.lines) {
      if (line.rfind("in ", 0) == 0) bits.push_back(std::stoi(line.substr(8), nullptr, 16) & 0x70);
    }
    return bits;
  }

  RecordingPort port;
  CountingIndicators indicators;
  Board board;
  std::int16_t foundPort = 0;
  RecordingDisplay display;
};

inline std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace burnlab::testing
