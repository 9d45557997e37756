#pragma once

#include <cstddef>
#include <ostream>

#include "panel/panel.h"
#include "panel/view.h"

namespace burnlab {

// The window on a terminal: new log lines go to the message stream as they come (with their
// time stamps), and the progress bar is drawn there when it is a terminal. The bar lives on the
// last line, without a line end: it is wiped before a log line is written and when it goes
// back to empty, so the log lines and the shell's prompt start on a clean line.
class CliView final : public View {
 public:
  CliView(std::ostream& messages, bool quiet, bool terminal)
      : messages_(messages), quiet_(quiet), terminal_(terminal) {}

  // The window state it shows (the App that owns it is made after the view).
  void watch(const Panel& panel) { panel_ = &panel; }

  void changed() override {
    flushLog();
    if (panel_) drawProgress(panel_->ProgressBar1);
  }
  void repaint(const Control& control) override;
  void unload() override {}
  void closeOtherWindows() override {}
  void showAbout(AboutBox&) override {}
  std::optional<std::string> showHelp(const HelpRequest&) override {
    return "There is no window to show the help in.";
  }

  // Writes the log lines added since the last call.
  void flushLog();
  // The command has ended: its last log lines are written and no progress bar is left behind.
  void finish() {
    flushLog();
    clearProgress();
  }
  // While muted the log lines are passed over: the command prints them itself.
  void mute(bool muted) {
    flushLog();
    muted_ = muted;
  }

 private:
  void drawProgress(const Control& bar);
  void clearProgress();

  const Panel* panel_ = nullptr;
  std::ostream& messages_;
  bool quiet_;
  bool terminal_;
  bool muted_ = false;
  std::size_t logged_ = 0;
  int drawnPercent_ = -1;
};

}  // namespace burnlab
