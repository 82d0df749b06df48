// The windows' texts come from an installed catalogue: form texts by their keys, and the
// texts the windows compose from translated parts.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/FormAbout.h"
#include "dialogs/FormCompare.h"
#include "dialogs/FormCompareFiles.h"
#include "dialogs/FormSaveLog.h"
#include "dialogs/FormSettings.h"
#include "dialogs/FormText.h"
#include "engine/HashFile.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"
#include "settings/Settings.h"
#include "util/Version.h"

namespace {

const char* const Catalogue = R"(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

#: tformsavelog.caption
msgid "Save Log"
msgstr "Protokoll speichern"

#: TFormSaveLog.Label_FileFormat.Caption
msgid "File format:"
msgstr "Dateiformat:"

#: tformsavelog.bitbtn_save.caption
msgid "Save"
msgstr "Speichern"

#: fsavelog.shashtypeauto
msgid "Auto"
msgstr "Automatisch"

#: tformcompare.cb_comparetoanyhash.caption
msgid "Compare to any of the available hash types"
msgstr "Mit allen Prüfsummen vergleichen"

#: fcompare.sautopastedfromclipboard
msgid "Auto pasted from clipboard"
msgstr "Aus der Zwischenablage"

#: fcomparefiles.snummatchedhashes
msgid "Result: %d out of %d available hashes matched."
msgstr "Ergebnis: %d von %d Prüfsummen stimmen überein."

#: tformtext.groupboxencoding.caption
msgid "Encoding:"
msgstr "Kodierung:"

#: tformtext.rb_encodingansi.caption
msgid "ANSI"
msgstr "Windows-1252"

#: tformsettings.cb_stayontop.caption
msgid "Stay on top of other windows"
msgstr "Immer im Vordergrund"

#: tformabout.label_version.caption
msgid "Version:"
msgstr "Fassung:"

#, fuzzy
#: tformabout.label_date.caption
msgid "Date:"
msgstr "Datum:"
)";

}  // namespace

class TestFormTexts : public QObject {
  Q_OBJECT

  QTemporaryDir Folder;
  TSettings Settings;

 private slots:
  void initTestCase() {
    QVERIFY(Folder.isValid());
    QFile file(Folder.filePath(QStringLiteral("digrex.de.po")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Catalogue);
    file.close();
    SetupTranslation(file.fileName());
    Settings.SetDefaults();
  }

  void cleanupTestCase() {
    RemoveTranslations();
    ResetResourceStrings();
  }

  void saveLogTexts() {
    TFormSaveLog form(Settings);
    QCOMPARE(form.windowTitle(), QStringLiteral("Protokoll speichern"));
    QCOMPARE(form.Label_FileFormat->text(), QStringLiteral("Dateiformat:"));
    QCOMPARE(form.BitBtn_Save->text(), QStringLiteral("Speichern"));
    QCOMPARE(form.Label_HashType->text(), QStringLiteral("Hash type:"));  // not in the catalogue
    QCOMPARE(form.ComboBox_HashType->itemText(0), QStringLiteral("Automatisch"));
    // The format descriptions are fixed texts.
    QCOMPARE(form.ComboBox_FileFormat->itemText(0), QStringLiteral("Simple file verification (SFV)"));
  }

  void compareTexts() {
    TFormCompare form(Settings);
    QCOMPARE(form.CB_CompareToAnyHash->text(), QStringLiteral("Mit allen Prüfsummen vergleichen"));
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    form.CompareDigest(htMD5, QStringLiteral("abc"));
    QCOMPARE(form.Label_Pasted->text(), QStringLiteral("Aus der Zwischenablage"));
  }

  void compareFilesReport() {
    THashFile a(QStringLiteral("/a"));
    THashFile b(QStringLiteral("/b"));
    TFormCompareFiles form;
    form.CompareFiles(a, b);
    QCOMPARE(form.Memo_Notes->toPlainText(), QStringLiteral("Ergebnis: 0 von 0 Prüfsummen stimmen überein."));
  }

  void textAndSettingsTexts() {
    TFormText text;
    QCOMPARE(text.GroupBoxEncoding->title(), QStringLiteral("Kodierung:"));
    QCOMPARE(text.RB_EncodingANSI->text(), QStringLiteral("Windows-1252"));
    TFormSettings settings(Settings);
    QCOMPARE(settings.CB_StayOnTop->text(), QStringLiteral("Immer im Vordergrund"));
  }

  void aboutComposesTheTranslatedCaptions() {
    TFormAbout form;
    QCOMPARE(form.Label_Version->text(), QStringLiteral("Fassung: ") + GetVersionText());
    QCOMPARE(form.Label_Date->text(), QStringLiteral("Date: 2016-12-04"));  // the fuzzy entry is not used
    QCOMPARE(TFormAbout::BuildIdentification(), QStringLiteral("Digrex ") + GetVersionText() + " (2016-12-04)");
  }
};

QTEST_MAIN(TestFormTexts)
#include "test_formtexts.moc"
