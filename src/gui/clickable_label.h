#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace burnlab {

// A label that reports clicks: the lamps are labels, and the Error lamp answers a click.
class ClickableLabel final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(event);
  }
};

}  // namespace burnlab
