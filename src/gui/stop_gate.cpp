#include "gui/stop_gate.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>

namespace burnlab {
namespace {

constexpr qint64 kLookEveryMs = 30;

bool isInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::Close:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

}  // namespace

StopGate::StopGate(QAbstractButton* stopButton, QList<QObject*> held, std::function<void()> stop,
                   QObject* parent)
    : QObject(parent), stopButton_(stopButton), held_(std::move(held)), stop_(std::move(stop)) {}

void StopGate::letStopThrough() {
  if (sinceLastLook_.isValid() && sinceLastLook_.elapsed() < kLookEveryMs) return;
  QCoreApplication::instance()->installEventFilter(this);
  QCoreApplication::processEvents();
  QCoreApplication::instance()->removeEventFilter(this);
  sinceLastLook_.start();
}

void StopGate::addStopButton(QAbstractButton* button) {
  otherStopButtons_.append(button);
  connect(button, &QObject::destroyed, this,
          [this, button] { otherStopButtons_.removeAll(button); });
}

bool StopGate::isStopButton(QObject* watched) const {
  if (otherStopButtons_.contains(watched)) return true;
  return watched == stopButton_ && stopButton_->isEnabled();
}

bool StopGate::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type == QEvent::Timer) return held_.contains(watched);
  if (!isInput(type)) return false;
  if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) stop_();
    return true;
  }
  const bool click = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease;
  return !(click && isStopButton(watched));
}

}  // namespace burnlab
