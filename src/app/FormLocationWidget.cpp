#include "app/FormLocationWidget.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "settings/FormLocation.h"

QRect DesktopArea() {
  QRect area;
  for (const QScreen* screen : QGuiApplication::screens()) area = area.united(screen->geometry());
  return area;
}

void CaptureFormLocation(TFormLocation& location, const QWidget* window) {
  // normalGeometry() is the normal-state rectangle also while maximised.
  const QRect normal = window->normalGeometry();
  location.Capture(normal.isValid() ? normal : window->geometry());
}

bool ApplyFormLocation(const TFormLocation& location, QWidget* window) {
  const std::optional<QRect> bounds = location.ApplyGeometry();
  if (!bounds) return false;
  if (window->isMaximized() || window->isMinimized()) window->showNormal();
  window->setGeometry(*bounds);
  return true;
}

bool RestoreFormLocation(const TFormLocation& location, QWidget* window) {
  if (!ApplyFormLocation(location, window)) return false;
  FitToDesktop(window);
  return true;
}

void FitToDesktop(QWidget* window) {
  const QRect area = DesktopArea();
  if (area.isEmpty()) return;
  const QRect fitted = TFormLocation::FitToDesktop(window->geometry(), area);
  if (fitted != window->geometry()) window->setGeometry(fitted);
}
