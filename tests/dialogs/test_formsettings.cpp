// The settings dialog: boxes start from the settings, Save stores and applies, Cancel does not.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "dialogs/FormSettings.h"
#include "settings/Settings.h"

namespace {

template <typename Act>
int RunDialog(TFormSettings& form, Act act) {
  QTimer::singleShot(0, &form, [&form, act] { act(form); });
  return form.exec();
}

void TickAll(TFormSettings& f, bool on) {
  for (QCheckBox* box : {f.CB_StayOnTop, f.CB_UpperCaseHash, f.CB_ShowToolbarCaptions,
                         f.CB_RememberLocationMainWindow, f.CB_RememberLocationLogViewer})
    box->setChecked(on);
}

}  // namespace

class TestFormSettings : public QObject {
  Q_OBJECT

  TSettings Settings;

 private slots:
  void init() { Settings.SetDefaults(); }

  void controls() {
    TFormSettings form(Settings);
    QCOMPARE(form.windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(form.CB_StayOnTop->text(), QStringLiteral("Stay on top of other windows"));
    QCOMPARE(form.CB_UpperCaseHash->text(), QStringLiteral("Use upper case hashes"));
    QCOMPARE(form.CB_ShowToolbarCaptions->text(), QStringLiteral("Show captions of buttons in the toolbar"));
    QCOMPARE(form.CB_RememberLocationMainWindow->text(), QStringLiteral("Remember location of the main window"));
    QCOMPARE(form.CB_RememberLocationLogViewer->text(), QStringLiteral("Remember location of the log viewer"));
    QCOMPARE(form.BB_Save->text(), QStringLiteral("Save"));
    QCOMPARE(form.BB_Cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(form.BB_Save->isDefault());
    QVERIFY(form.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title().isEmpty());
  }

  void saveStoresEveryBoxAndAppliesBeforeClosing() {
    TFormSettings form(Settings);
    bool visibleWhenApplied = false;
    bool storedWhenApplied = false;
    connect(&form, &TFormSettings::SettingsApplied, this, [&] {
      visibleWhenApplied = form.isVisible();
      storedWhenApplied = Settings.UpperCaseHash;
    });
    QSignalSpy applied(&form, &TFormSettings::SettingsApplied);
    QCOMPARE(RunDialog(form, [](TFormSettings& f) {
               TickAll(f, true);
               f.BB_Save->click();
             }),
             int(QDialog::Accepted));
    QCOMPARE(applied.count(), 1);
    QVERIFY(visibleWhenApplied && storedWhenApplied);
    QVERIFY(Settings.StayOnTop && Settings.UpperCaseHash && Settings.ToolbarCaptions);
    QVERIFY(Settings.MainForm.Remember && Settings.LogViewer.Remember);
  }

  void eachBoxIsBoundToItsOwnSetting() {
    TFormSettings form(Settings);
    QCheckBox* boxes[] = {form.CB_StayOnTop, form.CB_UpperCaseHash, form.CB_ShowToolbarCaptions,
                          form.CB_RememberLocationMainWindow, form.CB_RememberLocationLogViewer};
    for (QCheckBox* only : boxes) {
      Settings.SetDefaults();
      RunDialog(form, [only](TFormSettings& f) {
        TickAll(f, false);
        only->setChecked(true);
        f.BB_Save->click();
      });
      const bool values[] = {Settings.StayOnTop, Settings.UpperCaseHash, Settings.ToolbarCaptions,
                             Settings.MainForm.Remember, Settings.LogViewer.Remember};
      for (int i = 0; i < 5; ++i) QCOMPARE(values[i], boxes[i] == only);
    }
  }

  void cancelChangesNothingAndTheNextShowingStartsFromTheSettings() {
    Settings.UpperCaseHash = true;
    Settings.LogViewer.Remember = true;
    TFormSettings form(Settings);
    QSignalSpy applied(&form, &TFormSettings::SettingsApplied);
    QCOMPARE(RunDialog(form, [](TFormSettings& f) {
               TickAll(f, false);
               f.BB_Cancel->click();
             }),
             int(QDialog::Rejected));
    QVERIFY(Settings.UpperCaseHash && Settings.LogViewer.Remember && !Settings.StayOnTop);

    Settings.StayOnTop = true;  // changed elsewhere in between
    bool shownChecked[5] = {};
    RunDialog(form, [&shownChecked](TFormSettings& f) {
      shownChecked[0] = f.CB_StayOnTop->isChecked();
      shownChecked[1] = f.CB_UpperCaseHash->isChecked();
      shownChecked[2] = f.CB_ShowToolbarCaptions->isChecked();
      shownChecked[3] = f.CB_RememberLocationMainWindow->isChecked();
      shownChecked[4] = f.CB_RememberLocationLogViewer->isChecked();
      QTest::keyClick(&f, Qt::Key_Escape);
    });
    QVERIFY(shownChecked[0] && shownChecked[1] && !shownChecked[2] && !shownChecked[3] && shownChecked[4]);
    QCOMPARE(applied.count(), 0);
  }

  void rememberBoxesLeaveTheBoundsAlone() {
    Settings.MainForm.FromText(QStringLiteral("0,10,20,300,200"));
    TFormSettings form(Settings);
    RunDialog(form, [](TFormSettings& f) {
      f.CB_RememberLocationMainWindow->setChecked(true);
      f.BB_Save->click();
    });
    QCOMPARE(Settings.MainForm.AsText(), QStringLiteral("1,10,20,300,200"));
  }
};

QTEST_MAIN(TestFormSettings)
#include "test_formsettings.moc"
