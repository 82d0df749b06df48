#include "i18n/ProgramFile.h"

#include <QCoreApplication>
#include <QFileInfo>

QString GetProgramFilePath() {
  QString path;
  if (QCoreApplication::instance()) path = QCoreApplication::applicationFilePath();
  if (path.isEmpty()) path = QStringLiteral("/proc/self/exe");
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? path : canonical;
}

QString GetProgramBaseName() { return QFileInfo(GetProgramFilePath()).completeBaseName(); }
