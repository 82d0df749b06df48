#include "dialogs/FormSaveLog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/DialogIcons.h"
#include "app/FormTranslation.h"
#include "i18n/ResourceStrings.h"
#include "settings/Settings.h"

namespace {

QString DefaultChooseFile(QWidget* parent, const QString& lastFile) {
  QString filter = TFormSaveLog::SaveDialogFilter().section(QStringLiteral(";;"), 0, 0);
  return QFileDialog::getSaveFileName(parent, QString(), lastFile, TFormSaveLog::SaveDialogFilter(), &filter,
                                      QFileDialog::DontConfirmOverwrite);
}

void ChooseEntryWithValue(QComboBox* box, int value) {
  const int index = box->findData(value);
  box->setCurrentIndex(index >= 0 ? index : 0);
}

}  // namespace

TFormSaveLog::TFormSaveLog(TSettings& settings, QWidget* parent)
    : QDialog(parent), ChooseFile(DefaultChooseFile), Settings_(settings) {
  BuildControls();
  TranslateForm(this);
  FormCreate();
}

QString TFormSaveLog::SaveDialogFilter() {
  // "Any files" matches every name: a plain "*" here, since "*.*" would skip names without a dot.
  return QStringLiteral(
      "Any files (*);;Simple file verification (*.sfv);;MD5 sum files (*.md5sum);;SHA1 sum files (*.sha1sum)");
}

void TFormSaveLog::BuildControls() {
  setObjectName(QStringLiteral("FormSaveLog"));
  setWindowTitle(QStringLiteral("Save Log"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  Label_FileFormat = new QLabel(QStringLiteral("File format:"), this);
  Label_FileFormat->setObjectName(QStringLiteral("Label_FileFormat"));
  ComboBox_FileFormat = new QComboBox(this);
  ComboBox_FileFormat->setObjectName(QStringLiteral("ComboBox_FileFormat"));
  Label_FileFormat->setBuddy(ComboBox_FileFormat);

  Label_HashType = new QLabel(QStringLiteral("Hash type:"), this);
  Label_HashType->setObjectName(QStringLiteral("Label_HashType"));
  ComboBox_HashType = new QComboBox(this);
  ComboBox_HashType->setObjectName(QStringLiteral("ComboBox_HashType"));
  ComboBox_HashType->setMaxVisibleItems(11);
  Label_HashType->setBuddy(ComboBox_HashType);

  RadioButton_UseFileNameOnly = new QRadioButton(QStringLiteral("Use file names only"), this);
  RadioButton_UseFileNameOnly->setObjectName(QStringLiteral("RadioButton_UseFileNameOnly"));
  RadioButton_UseFileNameOnly->setChecked(true);
  RadioButton_UseFilePath = new QRadioButton(QStringLiteral("Use file paths"), this);
  RadioButton_UseFilePath->setObjectName(QStringLiteral("RadioButton_UseFilePath"));

  Label_TargetPath = new QLabel(QStringLiteral("Target file path:"), this);
  Label_TargetPath->setObjectName(QStringLiteral("Label_TargetPath"));
  Edit_TargetPath = new QLineEdit(this);
  Edit_TargetPath->setObjectName(QStringLiteral("Edit_TargetPath"));
  Edit_TargetPath->setMinimumWidth(300);
  Label_TargetPath->setBuddy(Edit_TargetPath);
  SpeedButton_Browse = new QToolButton(this);
  SpeedButton_Browse->setObjectName(QStringLiteral("SpeedButton_Browse"));
  SpeedButton_Browse->setIcon(DialogIcon("document-open", QStyle::SP_DialogOpenButton));
  SpeedButton_Browse->setAutoRaise(true);

  BitBtn_Save = new QPushButton(QStringLiteral("Save"), this);
  BitBtn_Save->setObjectName(QStringLiteral("BitBtn_Save"));
  BitBtn_Save->setIcon(DialogIcon("document-save", QStyle::SP_DialogSaveButton));
  BitBtn_Save->setDefault(true);
  BitBtn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
  BitBtn_Cancel->setObjectName(QStringLiteral("BitBtn_Cancel"));
  BitBtn_Cancel->setAutoDefault(false);

  auto* choices = new QGridLayout;
  choices->addWidget(Label_FileFormat, 0, 0);
  choices->addWidget(ComboBox_FileFormat, 1, 0);
  choices->addWidget(Label_HashType, 0, 1);
  choices->addWidget(ComboBox_HashType, 1, 1);
  choices->setColumnStretch(0, 3);
  choices->setColumnStretch(1, 2);

  auto* pathStyle = new QHBoxLayout;
  pathStyle->addWidget(RadioButton_UseFileNameOnly);
  pathStyle->addWidget(RadioButton_UseFilePath);
  pathStyle->addStretch();

  auto* target = new QHBoxLayout;
  target->setSpacing(2);
  target->addWidget(Edit_TargetPath);
  target->addWidget(SpeedButton_Browse);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn_Save);
  buttons->addWidget(BitBtn_Cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addSpacing(4);
  layout->addLayout(pathStyle);
  layout->addSpacing(4);
  layout->addWidget(Label_TargetPath);
  layout->addLayout(target);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(SpeedButton_Browse, &QToolButton::clicked, this, &TFormSaveLog::SpeedButton_BrowseClick);
  connect(BitBtn_Save, &QPushButton::clicked, this, &TFormSaveLog::BitBtn_SaveClick);
  connect(BitBtn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSaveLog::FormCreate() {
  for (TVerificationFormat format : {vfSFV, vfSUM})
    ComboBox_FileFormat->addItem(VerificationFormatDescription(format), static_cast<int>(format));
  ChooseEntryWithValue(ComboBox_FileFormat, static_cast<int>(Settings_.VerifyFormat));

  ComboBox_HashType->addItem(RS(rs::fsavelog_shashtypeauto), static_cast<int>(htNone));
  for (int type = FirstHashType; type <= LastHashType; ++type) ComboBox_HashType->addItem(HashTypeToName(type), type);
  ChooseEntryWithValue(ComboBox_HashType, static_cast<int>(Settings_.HashType));

  Edit_TargetPath->setText(Settings_.FileName);
  (Settings_.UseFullPath ? RadioButton_UseFilePath : RadioButton_UseFileNameOnly)->setChecked(true);
}

bool TFormSaveLog::Execute() { return exec() == QDialog::Accepted; }

TVerificationFormat TFormSaveLog::SelectedFormat() const {
  const QVariant value = ComboBox_FileFormat->currentData();
  return value.isValid() ? static_cast<TVerificationFormat>(value.toInt()) : vfNone;
}

THashType TFormSaveLog::SelectedHashType() const {
  const QVariant value = ComboBox_HashType->currentData();
  return value.isValid() ? static_cast<THashType>(value.toInt()) : htNone;
}

QString TFormSaveLog::TargetPath() const { return Edit_TargetPath->text(); }

bool TFormSaveLog::UseFilePaths() const { return RadioButton_UseFilePath->isChecked(); }

void TFormSaveLog::SpeedButton_BrowseClick() {
  if (!ChooseFile) return;
  const QString chosen = ChooseFile(this, LastChosenFile_);
  if (chosen.isEmpty()) return;
  LastChosenFile_ = chosen;
  Edit_TargetPath->setText(chosen);
}

void TFormSaveLog::BitBtn_SaveClick() {
  Settings_.FileName = TargetPath();
  Settings_.VerifyFormat = SelectedFormat();
  Settings_.HashType = SelectedHashType();
  Settings_.UseFullPath = UseFilePaths();
  if (TargetPath().isEmpty())
    reject();
  else
    accept();
}
