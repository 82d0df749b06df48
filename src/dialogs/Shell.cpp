#include "dialogs/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

#include "dialogs/MessageBox.h"
#include "i18n/ResourceStrings.h"

namespace {

TShellOpenHandler& InstalledHandler() {
  static TShellOpenHandler handler;
  return handler;
}

bool IsWebAddress(const QString& target) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
  return scheme.match(target).hasMatch() || target.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
}

bool OpenUrl(const QUrl& url) {
  if (const TShellOpenHandler& handler = InstalledHandler()) return handler(url);
  return QDesktopServices::openUrl(url);
}

}  // namespace

QUrl ShellTargetUrl(const QString& target) {
  if (IsWebAddress(target)) return QUrl(target, QUrl::TolerantMode);
  return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool ShellOpen(const QString& target, QWidget* parent) {
  bool opened = false;
  if (!target.isEmpty()) {
    const QUrl url = ShellTargetUrl(target);
    // The desktop's opener starts in the background and reports success even for a file
    // that is not there, so a missing file is caught here.
    const bool present = !url.isLocalFile() || QFileInfo::exists(url.toLocalFile());
    opened = present && url.isValid() && OpenUrl(url);
  }
  if (!opened) {
    ShowMessageBox(parent, TMessageBoxKind::Warning,
                   RS(rs::ufunctions_sshellopenfileerror) + QStringLiteral("\r\n\r\n") + target);
  }
  return opened;
}

TShellOpenHandler SetShellOpenHandler(TShellOpenHandler handler) {
  TShellOpenHandler previous = std::move(InstalledHandler());
  InstalledHandler() = std::move(handler);
  return previous;
}
