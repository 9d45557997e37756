#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/app.h"

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

}  // namespace burnlab::testing
