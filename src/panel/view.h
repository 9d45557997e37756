#pragma once

#include <optional>
#include <string>

#include "panel/about_box.h"
#include "panel/control.h"
#include "panel/help_request.h"

namespace burnlab {

// The window as the core sees it.
class View {
 public:
  virtual ~View() = default;
  // The Panel changed: draw it when the event handler returns.
  virtual void changed() = 0;
  // Draw this control now: lamps and the progress bar inside long loops that do not return
  // to the event loop.
  virtual void repaint(const Control& control) = 0;

  // Closes the main window; its unloading runs the shutdown.
  virtual void unload() = 0;
  // Unloads every other open window (the About window, the help window), newest first.
  virtual void closeOtherWindows() = 0;
  // Shows the About window modal, owned by the main window; returns when it has closed.
  virtual void showAbout(AboutBox& about) = 0;
  // Opens the help window; the reason when the help cannot be shown.
  virtual std::optional<std::string> showHelp(const HelpRequest& request) = 0;
};

// A view that draws nothing: the CLI and tests that do not look at the window.
class NoView final : public View {
 public:
  void changed() override {}
  void repaint(const Control&) override {}
  void unload() override {}
  void closeOtherWindows() override {}
  void showAbout(AboutBox&) override {}
  std::optional<std::string> showHelp(const HelpRequest&) override {
    return "There is no window to show the help in.";
  }
};

}  // namespace burnlab
