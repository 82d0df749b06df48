#pragma once
// ShellOpen asks the desktop to open a file with its associated application, or a web
// address in the browser. It never builds a command line.
//
//   ShellOpen(GetProgramFolder() + "History.txt", this);     // a path
//   ShellOpen(QStringLiteral("https://example.org/help"), this);  // a web address
//
// On failure it shows the warning "Could not open the following path:", an empty line and
// the target, through ShowMessageBox, and returns false once the box is closed.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

bool ShellOpen(const QString& target, QWidget* parent = nullptr);

// The address handed to the desktop: a web address (a scheme followed by "://", or
// "mailto:") as it stands, anything else as a local file made absolute.
QUrl ShellTargetUrl(const QString& target);

// Replaces the call to the desktop (QDesktopServices::openUrl), for tests; an empty
// handler restores it. Returns the handler installed before.
using TShellOpenHandler = std::function<bool(const QUrl&)>;
TShellOpenHandler SetShellOpenHandler(TShellOpenHandler handler);
