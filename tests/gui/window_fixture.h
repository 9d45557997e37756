#pragma once

#include <QLabel>

#include "gui/main_window.h"
#include "support/app_fixture.h"

namespace burnlab::testing {

// The real main window on an App with a simulated model-6 board at 378h (its socket empty),
// scripted dialogs and a fake platform, started up and shown.
struct WindowFixture {
  explicit WindowFixture(bool load = true) : app({port, platform, dialogs, window}) {
    app.portConfig.setFolder(configFolder.path());
    window.attach(app);
    if (load) app.Form_Load();
    window.show();
  }
  QLabel* lamp(const char* name) { return window.findChild<QLabel*>(name); }
  template <typename Widget>
  Widget* widget(const char* name) {
    return qobject_cast<Widget*>(window.viewOf(name));
  }

  TempFolder configFolder;
  sim::VirtualClock clock;
  sim::SimBoard board{6, 0x378, clock};
  RecordingPort port{board};
  FakePlatform platform;
  FakeDialogs dialogs;
  MainWindow window;
  App app;
};

}  // namespace burnlab::testing
