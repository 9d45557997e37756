#pragma once

#include <functional>
#include <memory>

#include "shell/app.h"
#include "sim/sim_board.h"
#include "sim/sim_clock.h"
#include "sim/sim_time.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/recording_port.h"
#include "support/temp_folder.h"

namespace burnlab::testing {

// A view that records which controls were repainted at once.
class RecordingView final : public View {
 public:
  void changed() override { ++changes; }
  void repaint(const Control& control) override {
    repaints.push_back(control.name);
    if (onRepaint) onRepaint(control);
  }
  void unload() override { ++unloads; }
  void closeOtherWindows() override { ++otherWindowsClosed; }
  void showAbout(AboutBox& about) override { aboutShown.push_back(about.lblVersion.caption); }
  std::optional<std::string> showHelp(const HelpRequest& request) override {
    helpShown.push_back(request);
    return helpError;
  }
  int changes = 0;
  std::vector<std::string> repaints;
  // What the operator does while a control is drawn at once (a progress step, say).
  std::function<void(const Control&)> onRepaint;
  int unloads = 0;
  int otherWindowsClosed = 0;
  std::vector<std::string> aboutShown;  // the version line of each About window shown
  std::vector<HelpRequest> helpShown;
  std::optional<std::string> helpError;  // what the help window answers
};

// A fresh App on a simulated model-6 board at 378h, behind a recording port. Its burnlab6.ini
// lives in a folder of its own, empty at first, so start-up searches for the board. The board's
// clock runs as on a PC whose busy-wait loop takes 1 ns an iteration; sleeps advance it too.
struct AppFixture {
  AppFixture(int model = 6, std::uint16_t base = 0x378)
      : board(model, base, clock), port(board), app({port, platform, dialogs, view}) {
    app.portConfig.setFolder(configFolder.path());
    platform.simClock = &clock;
    app.board.observeDelays(&simTime);
  }

  TempFolder configFolder;
  sim::VirtualClock clock;
  sim::SimTime simTime{clock, 1000};
  sim::SimBoard board;
  RecordingPort port;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app;
};

}  // namespace burnlab::testing
