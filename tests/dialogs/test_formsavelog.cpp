// The save-log dialog: what it returns, what it preselects, and what it stores.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "dialogs/FormSaveLog.h"
#include "settings/Settings.h"

namespace {

// Runs the dialog modally and lets act() work on it once it is up.
template <typename Act>
bool RunDialog(TFormSaveLog& form, Act act) {
  QTimer::singleShot(0, &form, [&form, act] { act(form); });
  return form.Execute();
}

QStringList Entries(const QComboBox* box) {
  QStringList texts;
  for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
  return texts;
}

}  // namespace

class TestFormSaveLog : public QObject {
  Q_OBJECT

  TSettings Settings;

 private slots:
  void init() { Settings.SetDefaults(); }

  void freshDialogOffersTheEntriesAndStartsFromTheSettings() {
    TFormSaveLog form(Settings);
    QCOMPARE(form.windowTitle(), QStringLiteral("Save Log"));
    QCOMPARE(Entries(form.ComboBox_FileFormat),
             QStringList({"Simple file verification (SFV)", "Sum file (MD5SUM, SHA1SUM, etc)"}));
    QCOMPARE(Entries(form.ComboBox_HashType),
             QStringList({"Auto", "CRC32", "MD2", "MD4", "MD5", "SHA1", "SHA256", "SHA512", "RipeMD128", "RipeMD160",
                          "ED2K"}));
    QVERIFY(!form.ComboBox_FileFormat->isEditable() && !form.ComboBox_HashType->isEditable());
    QCOMPARE(form.SelectedFormat(), vfSFV);
    QCOMPARE(form.SelectedHashType(), htNone);
    QVERIFY(!form.UseFilePaths());
    QVERIFY(form.RadioButton_UseFileNameOnly->isChecked());
    QVERIFY(form.TargetPath().isEmpty());
    QCOMPARE(form.Label_FileFormat->text(), QStringLiteral("File format:"));
    QCOMPARE(form.Label_HashType->text(), QStringLiteral("Hash type:"));
    QCOMPARE(form.Label_TargetPath->text(), QStringLiteral("Target file path:"));
    QCOMPARE(form.RadioButton_UseFilePath->text(), QStringLiteral("Use file paths"));
    QCOMPARE(form.RadioButton_UseFileNameOnly->text(), QStringLiteral("Use file names only"));
    QCOMPARE(form.BitBtn_Save->text(), QStringLiteral("Save"));
    QCOMPARE(form.BitBtn_Cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(form.BitBtn_Save->isDefault());
    QVERIFY(form.SpeedButton_Browse->text().isEmpty() && !form.SpeedButton_Browse->icon().isNull());
  }

  void preselection_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("shownFormat");
    QTest::addColumn<int>("shownType");
    QTest::newRow("sum and SHA1") << int(vfSUM) << int(htSHA1) << int(vfSUM) << int(htSHA1);
    QTest::newRow("unknown format and no type") << int(vfNone) << int(htNone) << int(vfSFV) << int(htNone);
    QTest::newRow("out of range") << 7 << 42 << int(vfSFV) << int(htNone);
    QTest::newRow("last type") << int(vfSFV) << int(htED2K) << int(vfSFV) << int(htED2K);
  }

  void preselection() {
    QFETCH(int, format);
    QFETCH(int, type);
    QFETCH(int, shownFormat);
    QFETCH(int, shownType);
    Settings.VerifyFormat = static_cast<TVerificationFormat>(format);
    Settings.HashType = static_cast<THashType>(type);
    Settings.FileName = QStringLiteral("/logs/run.sfv");
    Settings.UseFullPath = true;
    TFormSaveLog form(Settings);
    QCOMPARE(int(form.SelectedFormat()), shownFormat);
    QCOMPARE(int(form.SelectedHashType()), shownType);
    QCOMPARE(form.TargetPath(), QStringLiteral("/logs/run.sfv"));
    QVERIFY(form.UseFilePaths());
  }

  void saveReturnsAndStoresTheChoices() {
    TFormSaveLog form(Settings);
    const bool saved = RunDialog(form, [](TFormSaveLog& f) {
      f.ComboBox_FileFormat->setCurrentIndex(1);
      f.ComboBox_HashType->setCurrentIndex(f.ComboBox_HashType->findText(QStringLiteral("SHA256")));
      f.RadioButton_UseFilePath->setChecked(true);
      f.Edit_TargetPath->setText(QStringLiteral(" out.sha256 "));
      f.BitBtn_Save->click();
    });
    QVERIFY(saved);
    QCOMPARE(form.SelectedFormat(), vfSUM);
    QCOMPARE(form.SelectedHashType(), htSHA256);
    QVERIFY(form.UseFilePaths());
    QCOMPARE(form.TargetPath(), QStringLiteral(" out.sha256 "));  // blanks are kept: not empty
    QCOMPARE(Settings.VerifyFormat, vfSUM);
    QCOMPARE(Settings.HashType, htSHA256);
    QVERIFY(Settings.UseFullPath);
    QCOMPARE(Settings.FileName, QStringLiteral(" out.sha256 "));
  }

  void saveWithAnEmptyPathCancelsButStores() {
    Settings.FileName = QStringLiteral("old.sfv");
    TFormSaveLog form(Settings);
    const bool saved = RunDialog(form, [](TFormSaveLog& f) {
      f.Edit_TargetPath->clear();
      f.ComboBox_HashType->setCurrentIndex(f.ComboBox_HashType->findText(QStringLiteral("MD5")));
      f.BitBtn_Save->click();
    });
    QVERIFY(!saved);
    QVERIFY(Settings.FileName.isEmpty());
    QCOMPARE(Settings.HashType, htMD5);
  }

  void cancelAndEscapeStoreNothing() {
    TFormSaveLog form(Settings);
    QVERIFY(!RunDialog(form, [](TFormSaveLog& f) {
      f.Edit_TargetPath->setText(QStringLiteral("x.sfv"));
      f.ComboBox_FileFormat->setCurrentIndex(1);
      f.BitBtn_Cancel->click();
    }));
    QVERIFY(!RunDialog(form, [](TFormSaveLog& f) {
      f.RadioButton_UseFilePath->setChecked(true);
      QTest::keyClick(&f, Qt::Key_Escape);
    }));
    QVERIFY(Settings.FileName.isEmpty());
    QCOMPARE(Settings.VerifyFormat, vfSFV);
    QVERIFY(!Settings.UseFullPath);
    // The controls keep their state for the next showing.
    QCOMPARE(form.TargetPath(), QStringLiteral("x.sfv"));
    QCOMPARE(form.SelectedFormat(), vfSUM);
  }

  void settingsAreReadOnlyWhenCreated() {
    TFormSaveLog form(Settings);
    Settings.FileName = QStringLiteral("changed later.sfv");
    Settings.VerifyFormat = vfSUM;
    QVERIFY(RunDialog(form, [](TFormSaveLog& f) {
      f.Edit_TargetPath->setText(QStringLiteral("a.sfv"));
      f.BitBtn_Save->click();
    }));
    QCOMPARE(Settings.VerifyFormat, vfSFV);  // from the control, not from the setting
  }

  void enterSaves() {
    TFormSaveLog form(Settings);
    QVERIFY(RunDialog(form, [](TFormSaveLog& f) {
      f.Edit_TargetPath->setText(QStringLiteral("a.sfv"));
      f.Edit_TargetPath->setFocus();
      QTest::keyClick(f.Edit_TargetPath, Qt::Key_Return);
    }));
    QCOMPARE(Settings.FileName, QStringLiteral("a.sfv"));
  }

  void browseReplacesThePathAndRemembersTheLastChoice() {
    TFormSaveLog form(Settings);
    QStringList startedFrom;
    QStringList answers{QStringLiteral("/tmp/one.md5sum"), QString(), QStringLiteral("/tmp/two.sfv")};
    form.ChooseFile = [&](QWidget*, const QString& last) {
      startedFrom << last;
      return answers.takeFirst();
    };
    form.Edit_TargetPath->setText(QStringLiteral("typed.sfv"));
    form.SpeedButton_Browse->click();
    QCOMPARE(form.TargetPath(), QStringLiteral("/tmp/one.md5sum"));
    form.Edit_TargetPath->setText(QStringLiteral("typed again.sfv"));
    form.SpeedButton_Browse->click();  // cancelled: the box keeps its text
    QCOMPARE(form.TargetPath(), QStringLiteral("typed again.sfv"));
    form.SpeedButton_Browse->click();
    QCOMPARE(form.TargetPath(), QStringLiteral("/tmp/two.sfv"));
    // Not primed with the box's text: the first time empty, then the last file chosen.
    QCOMPARE(startedFrom, QStringList({QString(), QStringLiteral("/tmp/one.md5sum"),
                                       QStringLiteral("/tmp/one.md5sum")}));
  }

  void chooserFilter() {
    QCOMPARE(TFormSaveLog::SaveDialogFilter().split(QStringLiteral(";;")),
             QStringList({"Any files (*)", "Simple file verification (*.sfv)", "MD5 sum files (*.md5sum)",
                          "SHA1 sum files (*.sha1sum)"}));
  }
};

QTEST_MAIN(TestFormSaveLog)
#include "test_formsavelog.moc"
