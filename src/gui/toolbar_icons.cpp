#include "gui/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace burnlab {
namespace {

constexpr int kSize = 32;

void drawFolder(QPainter& p) {
  p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 1.5));
  p.setBrush(QColor(0xf0, 0xc0, 0x40));
  QPainterPath back;
  back.moveTo(3, 9);
  back.lineTo(12, 9);
  back.lineTo(15, 12);
  back.lineTo(28, 12);
  back.lineTo(28, 26);
  back.lineTo(3, 26);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(QColor(0xff, 0xd8, 0x60));
  QPolygonF front{{3, 26}, {7, 16}, {31, 16}, {28, 26}};
  p.drawPolygon(front);
}

void drawDisk(QPainter& p) {
  p.setPen(QPen(QColor(0x10, 0x20, 0x50), 1.5));
  p.setBrush(QColor(0x30, 0x50, 0xa0));
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
  p.setBrush(QColor(0xe8, 0xe8, 0xe8));
  p.drawRect(QRectF(9, 4, 14, 9));
  p.setBrush(QColor(0x30, 0x50, 0xa0));
  p.drawRect(QRectF(18, 5, 3, 6));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8, 17, 16, 11));
}

void drawCamera(QPainter& p) {
  p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
  p.setBrush(QColor(0x60, 0x60, 0x68));
  p.drawRoundedRect(QRectF(3, 10, 26, 17), 3, 3);
  p.drawRect(QRectF(11, 6, 10, 4));
  p.setBrush(QColor(0x90, 0xc0, 0xf0));
  p.drawEllipse(QPointF(16, 18.5), 6, 6);
}

void drawChip(QPainter& p) {
  p.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1.5));
  for (int pin = 0; pin < 5; ++pin) {
    const double y = 9 + pin * 4;
    p.drawLine(QPointF(4, y), QPointF(9, y));
    p.drawLine(QPointF(23, y), QPointF(28, y));
  }
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(0x28, 0x28, 0x28));
  p.drawRect(QRectF(9, 6, 14, 22));
  p.setBrush(QColor(0xff, 0xc8, 0x20));
  p.setPen(QPen(QColor(0xc0, 0x50, 0x00), 1));
  QPolygonF flash{{18, 3}, {12, 17}, {16, 17}, {13, 29}, {21, 13}, {17, 13}};
  p.drawPolygon(flash);
}

QPixmap canvas() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QIcon toolbarIcon(const QString& image) {
  QPixmap pixmap = canvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (image == "Open") drawFolder(painter);
  if (image == "Save") drawDisk(painter);
  if (image == "Camera") drawCamera(painter);
  if (image == "Burn1") drawChip(painter);
  painter.end();
  return QIcon(pixmap);
}

QIcon programIcon() {
  return toolbarIcon("Burn1");
}

}  // namespace burnlab
