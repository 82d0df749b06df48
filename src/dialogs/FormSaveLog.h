#pragma once
// TFormSaveLog: the modal dialog of the Save Log command. It chooses the verification
// format, the digest type, bare file names or full paths, and the target file. The four
// choices are read from the settings once, when the dialog is created, and stored back
// into them each time Save is pressed (written to disk at program end).
//
//   saveLog = new TFormSaveLog(Settings, mainWindow);   // once, after the settings were loaded
//   if (saveLog->Execute()) {                           // false: Cancel, Esc, or an empty path
//     TVerificationWriter writer;
//     writer.Format = saveLog->SelectedFormat();
//     writer.HashType = saveLog->SelectedHashType();
//     writer.UseFullPath = saveLog->UseFilePaths();
//     writer.SaveToFile(saveLog->TargetPath());
//   }
#include <QDialog>
#include <QString>
#include <functional>

#include "dialogs/VerificationWriter.h"
#include "engine/HashTypes.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TSettings;

class TFormSaveLog : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSaveLog(TSettings& settings, QWidget* parent = nullptr);

  // Runs the dialog modally; true when the user saved with a target path.
  bool Execute();

  TVerificationFormat SelectedFormat() const;  // vfNone when no entry is chosen
  THashType SelectedHashType() const;          // htNone for "Auto" or no entry
  QString TargetPath() const;                  // exactly as typed, not trimmed
  bool UseFilePaths() const;

  // The file chooser behind the browse button: gets the file it returned last time
  // (empty the first time) and gives the chosen path, or an empty text when cancelled.
  // Tests replace it.
  std::function<QString(QWidget* parent, const QString& lastFile)> ChooseFile;

  QLabel* Label_FileFormat = nullptr;
  QComboBox* ComboBox_FileFormat = nullptr;
  QLabel* Label_HashType = nullptr;
  QComboBox* ComboBox_HashType = nullptr;
  QRadioButton* RadioButton_UseFileNameOnly = nullptr;
  QRadioButton* RadioButton_UseFilePath = nullptr;
  QLabel* Label_TargetPath = nullptr;
  QLineEdit* Edit_TargetPath = nullptr;
  QToolButton* SpeedButton_Browse = nullptr;
  QPushButton* BitBtn_Save = nullptr;
  QPushButton* BitBtn_Cancel = nullptr;

  // The chooser's filter: any file, .sfv, .md5sum, .sha1sum.
  static QString SaveDialogFilter();

 private:
  void BuildControls();
  void FormCreate();
  void SpeedButton_BrowseClick();
  void BitBtn_SaveClick();

  TSettings& Settings_;
  QString LastChosenFile_;
};
