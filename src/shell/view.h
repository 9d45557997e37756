#pragma once

#include "shell/control.h"

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
};

// A view that draws nothing: the CLI and tests that do not look at the window.
class NoView final : public View {
 public:
  void changed() override {}
  void repaint(const Control&) override {}
};

}  // namespace burnlab
