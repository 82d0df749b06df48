// The compare-hash window opened while the clipboard holds 100 MB of text: it
// opens at once, keeps no more than its edit box holds, and stays usable.
// (A freeze shows as the test's time-out.)
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "dialogs/FormCompare.h"
#include "dialogs/MatchPictures.h"
#include "i18n/ResourceStrings.h"
#include "settings/Settings.h"

namespace {
const QString Md5Abc = QStringLiteral("900150983cd24fb0d6963f7d28e17f72");
constexpr qsizetype HugeLength = 100 * 1000 * 1000;

bool ShowsMatch(const TFormCompare& form) {
  return form.Pictures->ImageGood->isVisible() && !form.Pictures->ImageBad->isVisible();
}
}  // namespace

class TestHostileClipboard : public QObject {
  Q_OBJECT

  TSettings Settings;

  // Opens the window as the main window's compare button does; returns the time taken.
  static qint64 Open(TFormCompare& form) {
    QElapsedTimer timer;
    timer.start();
    form.CompareDigest(htMD5, Md5Abc);
    QCoreApplication::processEvents();
    return timer.elapsed();
  }

 private slots:
  void init() { Settings.SetDefaults(); }
  void cleanup() { QGuiApplication::clipboard()->clear(); }

  void hugeTextOpensAndStaysUsable_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("one 100 MB word") << QString(HugeLength, u'a');
    QString lines;
    lines.reserve(HugeLength + 64);
    while (lines.size() < HugeLength) lines += Md5Abc + QStringLiteral("  some file name\r\n");
    QTest::newRow("100 MB of sum-file lines") << lines;
  }

  void hugeTextOpensAndStaysUsable() {
    QFETCH(QString, text);
    QGuiApplication::clipboard()->setText(text);
    const QString start = text.left(64);
    text = QString();
    TFormCompare form(Settings);
    qInfo() << "opened in" << Open(form) << "ms";
    QVERIFY(form.isVisible());
    // The box holds a prefix only: no 100 MB copy stays with the window.
    const QString pasted = form.EditHashUser->text();
    QVERIFY(pasted.startsWith(start));
    QVERIFY(pasted.size() <= form.EditHashUser->maxLength());
    QVERIFY(!ShowsMatch(form));
    QCOMPARE(form.Label_Pasted->text(), RS(rs::fcompare_sautopastedfromclipboard));

    // The user replaces it by typing.
    form.EditHashUser->selectAll();
    QTest::keyClicks(form.EditHashUser, Md5Abc.toUpper());
    QCOMPARE(form.EditHashUser->text(), Md5Abc.toUpper());
    QVERIFY(ShowsMatch(form));
    QVERIFY(form.Label_Pasted->text().isEmpty());
  }

  void digestInsideHugeBlanksPastesAlone() {
    QString text(HugeLength / 2, u' ');
    text += QStringLiteral("\t") + Md5Abc + QStringLiteral("\r\n");
    text += QString(HugeLength / 2, u'\n');
    QGuiApplication::clipboard()->setText(text);
    text = QString();
    TFormCompare form(Settings);
    qInfo() << "opened in" << Open(form) << "ms";
    QCOMPARE(form.EditHashUser->text(), Md5Abc);
    QVERIFY(ShowsMatch(form));
  }
};

QTEST_MAIN(TestHostileClipboard)
#include "test_hostile_clipboard.moc"
