#include "app/WidgetHelpers.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLocale>

#include "app/StatusBar.h"

bool IsShiftDown() { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); }

bool IsCtrlDown() { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier); }

int StatusPanelAt(const TStatusBar* bar, int x, int y) {
  if (bar == nullptr) return -1;
  if (x < 0 || x > bar->width() || y < 0 || y > bar->height()) return -1;
  int sum = 0;
  const QList<int> widths = bar->PanelWidths();
  for (int i = 0; i < widths.size(); ++i) {
    sum += widths[i];
    if (x < sum) return i;
  }
  return -1;
}

int StatusPanelAtCursor(const TStatusBar* bar) {
  if (bar == nullptr) return -1;
  const QPoint p = bar->mapFromGlobal(QCursor::pos());
  return StatusPanelAt(bar, p.x(), p.y());
}

QRect SizedRect(int width, int height) { return QRect(0, 0, width, height); }

void CenterInRect(QRect& box, const QRect& area) {
  box.moveTo(area.left() + (area.width() - box.width()) / 2, area.top() + (area.height() - box.height()) / 2);
}

QString TimeSeparator() {
  static const QString separator = [] {
    for (const QChar c : QLocale().timeFormat(QLocale::ShortFormat)) {
      if (!c.isLetter() && !c.isSpace()) return QString(c);
    }
    return QStringLiteral(":");
  }();
  return separator;
}
