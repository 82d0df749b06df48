#include "app/Icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

void SetupIconTheme() {
  QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
  const QString current = QIcon::themeName();
  if (!current.isEmpty() && current != QLatin1String("hicolor")) return;
  for (const QString& base : QIcon::themeSearchPaths()) {
    if (QFileInfo::exists(QDir(base).filePath(QStringLiteral("Adwaita/index.theme")))) {
      QIcon::setThemeName(QStringLiteral("Adwaita"));
      return;
    }
  }
}

QIcon ThemeIcon(const char* themeName, QStyle::StandardPixmap fallback) {
  QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeName));
  if (icon.isNull()) icon = QApplication::style()->standardIcon(fallback);
  return icon;
}
