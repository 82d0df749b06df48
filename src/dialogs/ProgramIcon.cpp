#include "dialogs/ProgramIcon.h"

#include <QPainter>

QPixmap DrawProgramIcon(int size, qreal devicePixelRatio) {
  QPixmap pixmap(qRound(size * devicePixelRatio), qRound(size * devicePixelRatio));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 48.0, size / 48.0);  // drawn on a 48-unit grid
  QLinearGradient fill(0, 0, 0, 48);
  fill.setColorAt(0, QColor(0xF4, 0xF8, 0xFD));
  fill.setColorAt(1, QColor(0xD6, 0xE4, 0xF4));
  painter.setPen(QPen(QColor(0x7A, 0x9C, 0xC6), 1.5));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(2, 2, 44, 44), 9, 9);
  // The "#" sign: two slanted strokes across two level ones.
  QPen stroke(QColor(0x1F, 0x4E, 0x8C), 4.5, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(stroke);
  painter.drawLine(QPointF(20, 10), QPointF(16, 38));
  painter.drawLine(QPointF(32, 10), QPointF(28, 38));
  painter.drawLine(QPointF(11, 19), QPointF(38, 19));
  painter.drawLine(QPointF(10, 29), QPointF(37, 29));
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : ProgramIconSizes) icon.addPixmap(DrawProgramIcon(size));
  return icon;
}
