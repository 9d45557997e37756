#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

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
  // The widget or menu entry that draws the control `name` (or, for what the Panel does not
  // hold, such as the Simulator menu, the window's child of that name) as the kind the test
  // needs; a lookup that finds nothing of that kind fails the test and names the control.
  template <typename Kind>
  Kind* view(const char* name) {
    QObject* found = window.viewOf(name);
    if (!found) found = window.findChild<QObject*>(name);
    auto* typed = qobject_cast<Kind*>(found);
    EXPECT_NE(typed, nullptr) << name;
    return typed;
  }

 private:
  static AppOptions withWindow(AppOptions options, MainWindow& window) {
    options.simulatedTime = false;
    options.view = &window;
    return options;
  }
};

// A click of the operator's on `on`, waiting in the queue until a running command takes it.
inline void postClick(QWidget* on) {
  const QPointF at = QRectF(on->rect()).center();
  for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QCoreApplication::postEvent(on, new QMouseEvent(type, at, on->mapToGlobal(at), Qt::LeftButton,
                                                    Qt::LeftButton, Qt::NoModifier));
  }
}

}  // namespace burnlab::testing
