#pragma once

#include <QWidget>

#include "ops/self_test_report.h"

namespace burnlab {

// A small drawing of the board's read-back path: the socket's 8 data lines on the left run into
// the nibble-select multiplexer, whose 4 status lines run on to the port. A line is green once
// the test found it sound, red when it did not, grey until it has been tested; a shorted pair
// is drawn joined.
class BoardLinesDrawing final : public QWidget {
 public:
  explicit BoardLinesDrawing(QWidget* parent = nullptr);

  void showLines(const BoardLineStates& lines);
  const BoardLineStates& lines() const { return lines_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colourOf(bool sound) const;

  BoardLineStates lines_;
};

}  // namespace burnlab
