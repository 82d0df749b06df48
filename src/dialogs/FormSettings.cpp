#include "dialogs/FormSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "dialogs/DialogIcons.h"
#include "app/FormTranslation.h"
#include "settings/Settings.h"

namespace {

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

TFormSettings::TFormSettings(TSettings& settings, QWidget* parent) : QDialog(parent), Settings_(settings) {
  BuildControls();
  TranslateForm(this);
}

void TFormSettings::BuildControls() {
  setObjectName(QStringLiteral("FormSettings"));
  setWindowTitle(QStringLiteral("Settings"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  CB_StayOnTop = NewCheckBox(GroupBox1, "CB_StayOnTop", "Stay on top of other windows");
  CB_UpperCaseHash = NewCheckBox(GroupBox1, "CB_UpperCaseHash", "Use upper case hashes");
  CB_ShowToolbarCaptions = NewCheckBox(GroupBox1, "CB_ShowToolbarCaptions", "Show captions of buttons in the toolbar");
  CB_RememberLocationMainWindow =
      NewCheckBox(GroupBox1, "CB_RememberLocationMainWindow", "Remember location of the main window");
  CB_RememberLocationLogViewer =
      NewCheckBox(GroupBox1, "CB_RememberLocationLogViewer", "Remember location of the log viewer");
  auto* boxes = new QVBoxLayout(GroupBox1);
  for (QCheckBox* box : {CB_StayOnTop, CB_UpperCaseHash, CB_ShowToolbarCaptions, CB_RememberLocationMainWindow,
                         CB_RememberLocationLogViewer})
    boxes->addWidget(box);

  BB_Save = new QPushButton(QStringLiteral("Save"), this);
  BB_Save->setObjectName(QStringLiteral("BB_Save"));
  BB_Save->setIcon(DialogIcon("document-save", QStyle::SP_DialogSaveButton));
  BB_Save->setDefault(true);
  BB_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
  BB_Cancel->setObjectName(QStringLiteral("BB_Cancel"));
  BB_Cancel->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BB_Save);
  buttons->addWidget(BB_Cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addSpacing(4);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(BB_Save, &QPushButton::clicked, this, &TFormSettings::BB_SaveClick);
  connect(BB_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSettings::LoadFromSettings() {
  CB_StayOnTop->setChecked(Settings_.StayOnTop);
  CB_UpperCaseHash->setChecked(Settings_.UpperCaseHash);
  CB_ShowToolbarCaptions->setChecked(Settings_.ToolbarCaptions);
  CB_RememberLocationMainWindow->setChecked(Settings_.MainForm.Remember);
  CB_RememberLocationLogViewer->setChecked(Settings_.LogViewer.Remember);
}

void TFormSettings::StoreToSettings() {
  Settings_.StayOnTop = CB_StayOnTop->isChecked();
  Settings_.UpperCaseHash = CB_UpperCaseHash->isChecked();
  Settings_.ToolbarCaptions = CB_ShowToolbarCaptions->isChecked();
  Settings_.MainForm.Remember = CB_RememberLocationMainWindow->isChecked();
  Settings_.LogViewer.Remember = CB_RememberLocationLogViewer->isChecked();
}

void TFormSettings::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) LoadFromSettings();
}

void TFormSettings::BB_SaveClick() {
  StoreToSettings();
  emit SettingsApplied();
  accept();
}
