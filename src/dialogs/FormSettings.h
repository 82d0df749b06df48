#pragma once
// TFormSettings: the modal dialog of the Settings command. Each time it is shown its five
// boxes start from the settings; Save copies them back into the settings and emits
// SettingsApplied before the dialog closes, so the main window applies them at once.
// Cancel, Esc and closing change nothing. The file itself is written at program end.
//
//   formSettings = new TFormSettings(Settings, mainWindow);
//   connect(formSettings, &TFormSettings::SettingsApplied, mainWindow, [=] { ApplySettings(false); });
//   ActionSettings: formSettings->exec();
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QPushButton;
class TSettings;

class TFormSettings : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSettings(TSettings& settings, QWidget* parent = nullptr);

  void LoadFromSettings();
  void StoreToSettings();

  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* CB_StayOnTop = nullptr;
  QCheckBox* CB_UpperCaseHash = nullptr;
  QCheckBox* CB_ShowToolbarCaptions = nullptr;
  QCheckBox* CB_RememberLocationMainWindow = nullptr;
  QCheckBox* CB_RememberLocationLogViewer = nullptr;
  QPushButton* BB_Save = nullptr;
  QPushButton* BB_Cancel = nullptr;

 signals:
  // The user saved: the settings hold the new choices.
  void SettingsApplied();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void BB_SaveClick();

  TSettings& Settings_;
};
