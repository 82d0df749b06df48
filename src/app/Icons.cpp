#include "app/Icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

void SetupIconTheme() {
  // Without a desktop platform theme (offscreen, bare X servers) Qt looks nowhere but in
  // its resources; add the freedesktop icon folders.
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& base : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    const QString icons = QDir(base).filePath(QStringLiteral("icons"));
    if (!paths.contains(icons) && QFileInfo(icons).isDir()) paths << icons;
  }
  for (const char* fixed : {"/usr/share/icons", "/usr/local/share/icons"}) {
    const QString icons = QString::fromLatin1(fixed);
    if (!paths.contains(icons) && QFileInfo(icons).isDir()) paths << icons;
  }
  QIcon::setThemeSearchPaths(paths);
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
