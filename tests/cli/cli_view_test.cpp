// The terminal's progress bar: drawn on one line, wiped before log lines and when it ends.
#include "cli/cli_view.h"

#include <gtest/gtest.h>

#include <sstream>

namespace burnlab {
namespace {

struct Terminal {
  explicit Terminal(bool quiet = false) : view(out, quiet, true) { view.watch(panel); }

  void progress(int value) {
    panel.ProgressBar1.max = 200;
    panel.ProgressBar1.value = value;
    view.repaint(panel.ProgressBar1);
  }
  void log(const std::string& line) { panel.SystemLog.text += "\r\n12:00:00>  " + line; }

  Panel panel;
  std::ostringstream out;
  CliView view;
};

const std::string kWiped = "\r" + std::string(47, ' ') + "\r";

TEST(CliView, TheBarIsWipedWhenItGoesBackToEmptySoThePromptStartsOnAClearLine) {
  Terminal terminal;
  terminal.progress(100);
  terminal.progress(200);
  terminal.progress(0);
  const auto text = terminal.out.str();
  EXPECT_NE(text.find("] 50%"), std::string::npos);
  EXPECT_NE(text.find("] 100%"), std::string::npos);
  EXPECT_EQ(text.find("] 0%"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - kWiped.size()), kWiped);
}

TEST(CliView, ALogLineWipesTheBarAndTheEndOfTheCommandLeavesNoBar) {
  Terminal terminal;
  terminal.progress(100);
  terminal.log("Device IS BLANK (ERASED)");
  terminal.progress(150);  // the bar comes back below the line
  terminal.view.finish();
  const auto text = terminal.out.str();
  EXPECT_NE(text.find(kWiped + "12:00:00>  Device IS BLANK (ERASED)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("] 75%"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - kWiped.size()), kWiped);
}

TEST(CliView, QuietShowsNeitherLinesNorBarAndAnUndrawnBarIsNotWiped) {
  Terminal quiet(true);
  quiet.progress(100);
  quiet.log("Device IS BLANK (ERASED)");
  quiet.view.finish();
  EXPECT_EQ(quiet.out.str(), "");

  Terminal idle;
  idle.log("Device Eprom 27C256 was Selected");
  idle.view.finish();
  EXPECT_EQ(idle.out.str(), "12:00:00>  Device Eprom 27C256 was Selected\n");
}

}  // namespace
}  // namespace burnlab
