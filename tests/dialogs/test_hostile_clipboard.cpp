// The compare-hash window opened while the clipboard holds 100 MB of text: it
// opens at once, leaves such a text on the clipboard instead of pasting it, and
// stays usable. (A freeze shows as the test's time-out.)
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

  // Opens the window as the main window's compare button does.
  static void Open(TFormCompare& form) {
    QElapsedTimer timer;
    timer.start();
    form.CompareDigest(htMD5, Md5Abc);
    QCoreApplication::processEvents();
    qInfo() << "opened in" << timer.elapsed() << "ms";
  }

 private slots:
  void init() { Settings.SetDefaults(); }
  void cleanup() { QGuiApplication::clipboard()->clear(); }

  void hugeTextIsLeftOnTheClipboard_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("one 100 MB word") << QString(HugeLength, u'a');
    QString lines;
    lines.reserve(HugeLength + 64);
    while (lines.size() < HugeLength) lines += Md5Abc + QStringLiteral("  some file name\r\n");
    QTest::newRow("100 MB of sum-file lines") << lines;
  }

  void hugeTextIsLeftOnTheClipboard() {
    QFETCH(QString, text);
    QGuiApplication::clipboard()->setText(text);
    text = QString();
    TFormCompare form(Settings);
    form.EditHashUser->setText(QStringLiteral("typed before"));
    Open(form);
    QVERIFY(form.isVisible());
    QCOMPARE(form.EditHashUser->text(), QStringLiteral("typed before"));
    QVERIFY(form.Label_Pasted->text().isEmpty());
    QVERIFY(!ShowsMatch(form));

    // The window answers the keyboard as usual.
    form.EditHashUser->selectAll();
    QTest::keyClicks(form.EditHashUser, Md5Abc.toUpper());
    QCOMPARE(form.EditHashUser->text(), Md5Abc.toUpper());
    QVERIFY(ShowsMatch(form));
  }

  void digestInsideHugeBlanksPastesAlone() {
    QString text(HugeLength / 2, u' ');
    text += QStringLiteral("\t") + Md5Abc + QStringLiteral("\r\n");
    text += QString(HugeLength / 2, u'\n');
    QGuiApplication::clipboard()->setText(text);
    text = QString();
    TFormCompare form(Settings);
    Open(form);
    QCOMPARE(form.EditHashUser->text(), Md5Abc);
    QCOMPARE(form.Label_Pasted->text(), RS(rs::fcompare_sautopastedfromclipboard));
    QVERIFY(ShowsMatch(form));
  }

  void longestPastedText() {
    // Up to the limit a text is pasted for the user to edit, even if it is no digest.
    for (const qsizetype length : {TFormCompare::MaxPastedLength, TFormCompare::MaxPastedLength + 1}) {
      const QString text = QStringLiteral("\n ") + QString(length, u'7') + QStringLiteral(" \n");
      QGuiApplication::clipboard()->setText(text);
      TFormCompare form(Settings);
      Open(form);
      const bool pasted = length <= TFormCompare::MaxPastedLength;
      QCOMPARE(form.EditHashUser->text(), pasted ? QString(length, u'7') : QString());
      QCOMPARE(form.Label_Pasted->text().isEmpty(), !pasted);
    }
  }
};

QTEST_MAIN(TestHostileClipboard)
#include "test_hostile_clipboard.moc"
