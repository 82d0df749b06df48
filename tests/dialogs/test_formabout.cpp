// The about box: version and date texts, and the identification copied by a right click.
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

#include "dialogs/FormAbout.h"
#include "util/Version.h"

class TestFormAbout : public QObject {
  Q_OBJECT

 private slots:
  void init() { QGuiApplication::clipboard()->setText(QStringLiteral("untouched")); }

  void showsNameVersionAndDate() {
    TFormAbout form;
    QCOMPARE(form.windowTitle(), QStringLiteral("About"));
    QCOMPARE(form.Label_Title->text(), QStringLiteral("Digrex"));
    QCOMPARE(form.Label_Version->text(), QStringLiteral("Version: ") + GetVersionText());
    QCOMPARE(form.Label_Date->text(), QStringLiteral("Date: 2016-12-04"));
    QVERIFY(!form.Image_Icon->pixmap().isNull());
    for (const char* name : {"Panel_Header", "Image_Icon", "Label_Title", "Label_Version", "Label_Date",
                             "Bevel_Header"})
      QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
  }

  void identificationOfThisBuild() {
    const TVersionNumbers v = GetVersionNumbers();
    QCOMPARE(TFormAbout::BuildIdentification(), QStringLiteral("Digrex ") + GetVersionText() + " (2016-12-04)");
    if (v.Major == 3 && v.Minor == 3 && v.Release == 0 && v.Build == 0)
      QCOMPARE(TFormAbout::BuildIdentification(), QStringLiteral("Digrex 3.3 (2016-12-04)"));
  }

  void rightClickOnTheHeaderCopies() {
    TFormAbout form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Panel_Header, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    QTest::mouseClick(form.Panel_Header, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(QGuiApplication::clipboard()->text(), TFormAbout::BuildIdentification());
  }

  void rightClickOnALabelOfTheHeaderCopiesToo() {
    TFormAbout form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Label_Version, Qt::RightButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), TFormAbout::BuildIdentification());
  }

  void escapeCloses() {
    TFormAbout form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
  }
};

QTEST_MAIN(TestFormAbout)
#include "test_formabout.moc"
