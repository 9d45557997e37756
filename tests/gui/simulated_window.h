#pragma once

#include <QLabel>

#include "gui/main_window.h"
#include "support/simulated_app.h"

namespace burnlab::testing {

// The window comes before the App that paints in it.
struct MainWindowPart {
  MainWindow window;
};

// The real main window on a SimulatedApp (its socket empty unless `options` fill it), started
// up and shown. The window's own clock shows: sleeps do not move the board's clock here.
struct SimulatedWindow : MainWindowPart, SimulatedApp {
  explicit SimulatedWindow(bool load = true) : SimulatedWindow({.start = load, .slider = {}}) {}
  explicit SimulatedWindow(AppOptions options)
      : SimulatedApp(withWindow(std::move(options), window)) {
    window.attach(app);
    setUp();
    window.show();
  }
  QLabel* lamp(const char* name) { return window.findChild<QLabel*>(name); }
  template <typename Widget>
  Widget* widget(const char* name) {
    return qobject_cast<Widget*>(window.viewOf(name));
  }

 private:
  static AppOptions withWindow(AppOptions options, MainWindow& window) {
    options.simulatedTime = false;
    options.view = &window;
    return options;
  }
};

}  // namespace burnlab::testing
