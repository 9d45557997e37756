#pragma once

#include <memory>

#include "shell/app.h"
#include "sim/sim_board.h"
#include "sim/sim_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/recording_port.h"

namespace burnlab::testing {

// A view that records which controls were repainted at once.
class RecordingView final : public View {
 public:
  void changed() override { ++changes; }
  void repaint(const Control& control) override { repaints.push_back(control.name); }
  int changes = 0;
  std::vector<std::string> repaints;
};

// A fresh App on a simulated model-6 board at 378h, behind a recording port.
struct AppFixture {
  AppFixture(int model = 6, std::uint16_t base = 0x378)
      : board(model, base, clock), port(board), app({port, platform, dialogs, view}) {
    app.assumeBoard({static_cast<std::int16_t>(base), static_cast<std::int16_t>(model)});
  }

  sim::VirtualClock clock;
  sim::SimBoard board;
  RecordingPort port;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app;
};

}  // namespace burnlab::testing
