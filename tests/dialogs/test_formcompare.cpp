// The compare-hash window: clipboard paste on show, trimming, any-type search, pictures.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "dialogs/FormCompare.h"
#include "dialogs/MatchPictures.h"
#include "settings/Settings.h"

namespace {

const QString Md5Abc = QStringLiteral("900150983cd24fb0d6963f7d28e17f72");
const QString Sha1Abc = QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d");
const QString Crc32Abc = QStringLiteral("352441C2");

bool ShowsMatch(const TFormCompare& form) {
  return form.Pictures->ImageGood->isVisible() && !form.Pictures->ImageBad->isVisible();
}
bool ShowsMismatch(const TFormCompare& form) {
  return !form.Pictures->ImageGood->isVisible() && form.Pictures->ImageBad->isVisible();
}

}  // namespace

class TestFormCompare : public QObject {
  Q_OBJECT

  TSettings Settings;

  void FillShown(TFormCompare& form) {
    form.AvailableHashes.Clear();
    form.AvailableHashes.SetHash(htCRC32, Crc32Abc);
    form.AvailableHashes.SetHash(htMD5, Md5Abc);
    form.AvailableHashes.SetHash(htSHA1, Sha1Abc);
  }

 private slots:
  void init() {
    Settings.SetDefaults();
    QGuiApplication::clipboard()->clear();
  }

  void controlsCarryTheirNamesAndTexts() {
    TFormCompare form(Settings);
    QCOMPARE(form.windowTitle(), QStringLiteral("Compare Hash"));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Your hash:"));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Comparing to:"));
    QCOMPARE(form.findChild<QCheckBox*>(QStringLiteral("CB_CompareToAnyHash"))->text(),
             QStringLiteral("Compare to any of the available hash types"));
    for (const char* name : {"EditHashUser", "EditHashCompare", "Label_Pasted", "Label_HashType", "Image_Good",
                             "Image_Bad"})
      QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
    QVERIFY(form.EditHashCompare->isReadOnly());
    QVERIFY(!form.isModal());
    QCOMPARE(form.CompareType, htNone);
    QVERIFY(form.CompareText.isEmpty());
  }

  void trimsOnlyControlCharactersAndBlanksAtTheEnds() {
    QCOMPARE(TFormCompare::TrimDigestText(QStringLiteral("\t ab c\r\n\x01")), QStringLiteral("ab c"));
    QCOMPARE(TFormCompare::TrimDigestText(QStringLiteral(" \r\n ")), QString());
    // A no-break space (code 160) is above 32 and stays.
    QCOMPARE(TFormCompare::TrimDigestText(QString(QChar(0xA0)) + QStringLiteral("ab")), QString(QChar(0xA0)) + "ab");
  }

  void clipboardIsPastedTrimmedWhenShownAndMatches() {
    QGuiApplication::clipboard()->setText(QStringLiteral("  ") + Md5Abc.toUpper() + QStringLiteral("\r\n"));
    TFormCompare form(Settings);
    FillShown(form);
    form.CompareDigest(htMD5, Md5Abc);
    QVERIFY(form.isVisible());
    QCOMPARE(form.EditHashUser->text(), Md5Abc.toUpper());
    QCOMPARE(form.Label_Pasted->text(), QStringLiteral("Auto pasted from clipboard"));
    QCOMPARE(form.EditHashCompare->text(), Md5Abc);
    QCOMPARE(form.Label_HashType->text(), QStringLiteral("MD5"));
    QVERIFY(ShowsMatch(form));

    // Typing clears the note at the first keystroke.
    QTest::keyClick(form.EditHashUser, Qt::Key_X);
    QVERIFY(form.Label_Pasted->text().isEmpty());
    QVERIFY(ShowsMismatch(form));
  }

  void clipboardIsReadOnlyWhenTheWindowBecomesVisible() {
    QGuiApplication::clipboard()->setText(QStringLiteral("first"));
    TFormCompare form(Settings);
    form.CompareDigest(htMD5, Md5Abc);
    QCOMPARE(form.EditHashUser->text(), QStringLiteral("first"));

    // Open already: a new comparison keeps the user's box.
    QGuiApplication::clipboard()->setText(QStringLiteral("second"));
    form.CompareDigest(htSHA1, Sha1Abc);
    QCOMPARE(form.EditHashUser->text(), QStringLiteral("first"));
    QCOMPARE(form.Label_HashType->text(), QStringLiteral("SHA1"));

    // Hidden and shown again: pasted anew.
    form.hide();
    form.CompareDigest(htSHA1, Sha1Abc);
    QCOMPARE(form.EditHashUser->text(), QStringLiteral("second"));
    QCOMPARE(form.Label_Pasted->text(), QStringLiteral("Auto pasted from clipboard"));
  }

  void emptyClipboardLeavesTheUserBoxAndClearsTheNote() {
    TFormCompare form(Settings);
    form.EditHashUser->setText(QStringLiteral("typed"));
    QGuiApplication::clipboard()->setText(QStringLiteral(" \r\n\t"));
    form.CompareDigest(htMD5, Md5Abc);
    QCOMPARE(form.EditHashUser->text(), QStringLiteral("typed"));
    QVERIFY(form.Label_Pasted->text().isEmpty());
    QVERIFY(ShowsMismatch(form));
  }

  void emptyUserDigestMatchesAnEmptyRow() {
    TFormCompare form(Settings);
    form.CompareDigest(htMD5, QString());
    QVERIFY(form.EditHashUser->text().isEmpty());
    QVERIFY(ShowsMatch(form));
    QVERIFY(form.Label_HashType->text().isEmpty());  // no type name without a digest
  }

  void anyTypeSearchFindsTheTypeOfTheUsersDigest() {
    TFormCompare form(Settings);
    FillShown(form);
    form.CompareDigest(htMD5, Md5Abc);
    form.EditHashUser->setText(QStringLiteral(" ") + Sha1Abc + QStringLiteral(" "));

    // Off: compared with the MD5 row only.
    QVERIFY(ShowsMismatch(form));
    QCOMPARE(form.EditHashCompare->text(), Md5Abc);
    QCOMPARE(form.Label_HashType->text(), QStringLiteral("MD5"));

    // On: the shown SHA1 digest matches; the choice goes straight into the settings.
    form.CB_CompareToAnyHash->setChecked(true);
    QVERIFY(Settings.CompareToAnyHash);
    QVERIFY(ShowsMatch(form));
    QCOMPARE(form.EditHashCompare->text(), Sha1Abc);
    QCOMPARE(form.Label_HashType->text(), QStringLiteral("SHA1"));

    // Inner separators are not removed: no match anywhere.
    form.EditHashUser->setText(Md5Abc.left(8) + QStringLiteral(" ") + Md5Abc.mid(8));
    QVERIFY(ShowsMismatch(form));
    QCOMPARE(form.Label_HashType->text(), QStringLiteral("MD5"));

    form.CB_CompareToAnyHash->setChecked(false);
    QVERIFY(!Settings.CompareToAnyHash);
  }

  void checkBoxStartsFromTheSettingWithoutWritingIt() {
    Settings.CompareToAnyHash = true;
    TFormCompare form(Settings);
    QVERIFY(form.CB_CompareToAnyHash->isChecked());
    QVERIFY(!form.Loading);
    Settings.CompareToAnyHash = false;  // the constructor's tick must not have stored anything
    TFormCompare again(Settings);
    QVERIFY(!again.CB_CompareToAnyHash->isChecked());
    QVERIFY(!Settings.CompareToAnyHash);
  }

  void escapeHidesTheWindow() {
    TFormCompare form(Settings);
    form.CompareDigest(htMD5, Md5Abc);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
  }
};

QTEST_MAIN(TestFormCompare)
#include "test_formcompare.moc"
