// Not a test: `install_icons <folder>` writes the program's icon as <folder>/digrex-<size>.png
// in every ProgramIconSizes, the PNGs kept in data/icons for the desktop's icon theme.
#include <QApplication>
#include <QDir>
#include <QTextStream>

#include "dialogs/ProgramIcon.h"

int main(int argc, char* argv[]) {
  // Pictures only, no window: runs without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    QTextStream(stderr) << "usage: install_icons <folder>\n";
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (int size : ProgramIconSizes) {
    const QString path = folder.filePath(QStringLiteral("digrex-%1.png").arg(size));
    if (!DrawProgramIcon(size).toImage().save(path, "PNG")) {
      QTextStream(stderr) << "cannot write " << path << '\n';
      return 1;
    }
  }
  return 0;
}
