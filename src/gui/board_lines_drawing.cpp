#include "gui/board_lines_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "ops/data_path_diagnosis.h"

namespace burnlab {
namespace {

constexpr int kDataLines = 8;
constexpr int kStatusLines = 4;
constexpr qreal kPen = 3;

QString dataLabel(int line) {
  return QStringLiteral("D%1").arg(line);
}

}  // namespace

BoardLinesDrawing::BoardLinesDrawing(QWidget* parent) : QWidget(parent) {
  setObjectName("BoardLinesDrawing");
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BoardLinesDrawing::showLines(const BoardLineStates& lines) {
  lines_ = lines;
  update();
}

QSize BoardLinesDrawing::sizeHint() const {
  const int row = fontMetrics().height() + 2;
  return {fontMetrics().horizontalAdvance("M") * 44, row * (kDataLines + 2)};
}

QColor BoardLinesDrawing::colourOf(bool sound) const {
  if (!lines_.tested) return palette().color(QPalette::Disabled, QPalette::WindowText);
  return sound ? QColor(0x1E, 0x9E, 0x3A) : QColor(0xD0, 0x20, 0x20);
}

void BoardLinesDrawing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics metrics = fontMetrics();
  const int row = metrics.height() + 2;
  const int top = row;
  const int labelWidth = metrics.horizontalAdvance("Socket  ");
  const int left = labelWidth;
  const int mux = width() * 45 / 100;  // the multiplexer's left edge
  const int muxWidth = metrics.horizontalAdvance("select ");
  const int portEdge = width() - metrics.horizontalAdvance(" S6 (PaperEnd) ") - 4;
  const QColor text = palette().color(QPalette::WindowText);

  painter.setPen(text);
  painter.drawText(QRect(0, 0, labelWidth * 2, row), Qt::AlignLeft, tr("Socket"));
  painter.drawText(QRect(mux, 0, muxWidth, row), Qt::AlignHCenter, tr("Mux"));
  painter.drawText(QRect(portEdge, 0, width() - portEdge, row), Qt::AlignLeft, tr("Port"));

  // The data lines, D0 at the top.
  std::array<int, kDataLines> dataY{};
  for (int line = 0; line < kDataLines; ++line) {
    const int y = top + row * line + row / 2;
    dataY[static_cast<std::size_t>(line)] = y;
    painter.setPen(text);
    painter.drawText(QRect(0, y - row / 2, labelWidth, row), Qt::AlignLeft | Qt::AlignVCenter,
                     dataLabel(line));
    painter.setPen(QPen(colourOf(lines_.dataOk[static_cast<std::size_t>(line)]), kPen));
    painter.drawLine(left, y, mux, y);
  }
  // A shorted pair: a bar joining the two lines just before the multiplexer.
  if (lines_.shorted) {
    const int x = (left + mux) / 2;
    painter.setPen(QPen(colourOf(false), kPen * 2));
    painter.drawLine(x, dataY[static_cast<std::size_t>(lines_.shorted->first)], x,
                     dataY[static_cast<std::size_t>(lines_.shorted->second)]);
  }
  // The multiplexer, its frame drawn in the select line's colour.
  const QRect box(mux, top, muxWidth, row * kDataLines);
  painter.setPen(QPen(colourOf(lines_.selectOk), kPen));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box);
  painter.setPen(text);
  painter.drawText(box, Qt::AlignCenter, tr("4 of\n8"));
  // The select line comes in from the port at the bottom.
  painter.setPen(QPen(colourOf(lines_.selectOk), kPen));
  const int selectY = box.bottom() + row / 2;
  painter.drawLine(box.center().x(), box.bottom(), box.center().x(), selectY);
  painter.drawLine(box.center().x(), selectY, portEdge, selectY);
  painter.setPen(text);
  painter.drawText(QRect(portEdge + 4, selectY - row / 2, width() - portEdge, row),
                   Qt::AlignLeft | Qt::AlignVCenter, tr("select"));

  // The status lines, nibble bit 0 at the top.
  for (int bit = 0; bit < kStatusLines; ++bit) {
    const int y = top + row * (2 * bit) + row;
    const auto index = static_cast<std::size_t>(bit);
    painter.setPen(QPen(colourOf(lines_.statusOk[index]), kPen));
    painter.drawLine(box.right(), y, portEdge, y);
    painter.setPen(text);
    painter.drawText(QRect(portEdge + 4, y - row / 2, width() - portEdge, row),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(statusLineName(lines_.statusBits[index])));
  }
}

}  // namespace burnlab
