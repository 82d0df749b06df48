// The PNGs in data/icons, which the desktop shows for the installed program, against the
// icon the program draws for its windows: a change to one without the other shows here.
// (Redraw them with `install_icons data/icons`.)
#include <QImage>
#include <QTest>

#include "dialogs/ProgramIcon.h"

class TestInstallIcons : public QObject {
  Q_OBJECT

 private slots:
  void shippedPngsShowTheWindowIcon_data() {
    QTest::addColumn<int>("size");
    for (int size : ProgramIconSizes) QTest::addRow("%d", size) << size;
  }

  void shippedPngsShowTheWindowIcon() {
    QFETCH(int, size);
    const QString path = QStringLiteral(DIGREX_ICON_FOLDER "/digrex-%1.png").arg(size);
    QImage shipped;
    QVERIFY2(shipped.load(path), qPrintable(path));
    QCOMPARE(shipped.size(), QSize(size, size));
    const QImage drawn = DrawProgramIcon(size).toImage().convertToFormat(QImage::Format_ARGB32);
    shipped = shipped.convertToFormat(QImage::Format_ARGB32);
    // Anti-aliasing may differ a little between Qt versions; a changed picture differs a lot.
    int differing = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const QRgb a = shipped.pixel(x, y), b = drawn.pixel(x, y);
        const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
        if (d > 24) ++differing;
      }
    }
    QVERIFY2(differing <= size * size / 100, qPrintable(QStringLiteral("%1 of %2 pixels differ").arg(differing).arg(size * size)));
  }
};

QTEST_MAIN(TestInstallIcons)
#include "test_icons.moc"
