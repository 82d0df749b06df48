#include "dialogs/DialogIcons.h"

#include <QApplication>

QIcon DialogIcon(const char* themeName, QStyle::StandardPixmap fallback) {
  if (QIcon::fallbackThemeName().isEmpty()) QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
  QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeName));
  if (icon.isNull()) icon = QApplication::style()->standardIcon(fallback);
  return icon;
}
