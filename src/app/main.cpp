#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Digrex"));
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Digrex"));
  window.show();
  return app.exec();
}
