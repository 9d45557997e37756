#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <functional>

class QAbstractButton;

namespace burnlab {

// While a device command runs, the window takes no input but Stop. At the command's progress
// steps the window lets the events waiting so far through this gate: it passes whatever draws
// the window, the Esc key (which stops) and the Stop button's clicks, and holds back all other
// input and the window's own timers, which would run other commands in the middle of this one.
class StopGate final : public QObject {
 public:
  // `stop` asks the running command to stop; `held` are the timers held back.
  StopGate(QAbstractButton* stopButton, QList<QObject*> held, std::function<void()> stop,
           QObject* parent);

  // Lets the waiting events through, at most every few hundredths of a second so that a fast
  // loop is not slowed down.
  void letStopThrough();
  // Another Stop button whose clicks get through (a dialog's own, while its command runs).
  void addStopButton(QAbstractButton* button);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool isStopButton(QObject* watched) const;

  QAbstractButton* stopButton_;
  QList<QObject*> otherStopButtons_;
  QList<QObject*> held_;
  std::function<void()> stop_;
  QElapsedTimer sinceLastLook_;
};

}  // namespace burnlab
