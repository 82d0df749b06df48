// digrex_template <file.pot>: writes the translation template of the program.
// The file is rewritten only when its content changes.
#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

#include "app/TemplateWriter.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: digrex_template <file.pot>\n");
    return 2;
  }
  const QString path = QString::fromLocal8Bit(argv[1]);
  const QByteArray content = FormatTemplate(CollectTranslatableTexts());
  {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) {
      std::printf("%s is up to date\n", qPrintable(path));
      return 0;
    }
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return 1;
  }
  std::printf("wrote %s\n", qPrintable(path));
  return 0;
}
