// The hash-type rows and the file panel of the main window.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>

#include "app/FormMain.h"
#include "app/StatusBar.h"
#include "app/WidgetHelpers.h"
#include "engine/DigrexList.h"
#include "i18n/ResourceStrings.h"
#include "settings/Settings.h"
#include "util/TextFormat.h"
#include "worker/DigrexThread.h"

#ifdef DIGREX_HAVE_DIALOGS
#include "dialogs/FormCompare.h"
#endif

namespace {

// "YYYY-MM-DD HH:MM:SS" with the locale's time separator; empty for 0.
QString FormatFileTime(TDateTime value) {
  if (value == 0) return {};
  const QDateTime time = DateTimeToQDateTime(value);
  if (!time.isValid()) return {};
  const QString separator = TimeSeparator();
  return time.toString(QStringLiteral("yyyy-MM-dd ")) + time.toString(QStringLiteral("HH")) + separator +
         time.toString(QStringLiteral("mm")) + separator + time.toString(QStringLiteral("ss"));
}

}  // namespace

THashTypes TFormMain::GetTickedTypes() const {
  THashTypes types = 0;
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    if (Rows[static_cast<size_t>(t)].CheckBox->isChecked()) types |= HashTypeBit(t);
  }
  return types;
}

void TFormMain::SetTickedTypes(THashTypes types) {
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    QCheckBox* box = Rows[static_cast<size_t>(t)].CheckBox;
    const QSignalBlocker block(box);
    box->setChecked(HasHashType(types, t));
  }
  UpdateWorkerTypes();
}

void TFormMain::TickAllTypes(bool on) { SetTickedTypes(on ? AllHashTypes() : 0); }

void TFormMain::UpdateWorkerTypes() {
  if (Worker) Worker->SelectedTypes = GetTickedTypes();
}

void TFormMain::HandleHashTypeChange() { UpdateWorkerTypes(); }

void TFormMain::HandleHashSelectClick() {
  const QObject* sender = QObject::sender();
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    const THashRow& row = Rows[static_cast<size_t>(t)];
    const QSignalBlocker block(row.CheckBox);
    row.CheckBox->setChecked(row.SelectButton == sender);
  }
  UpdateWorkerTypes();
}

void TFormMain::SetEditText(QLineEdit* edit, const QString& text) {
  if (edit->text() == text) return;
  edit->setText(text);
  // Digests and properties read from their start; the file box shows the file's name at its end.
  if (edit->isReadOnly()) edit->setCursorPosition(0);
}

void TFormMain::ScheduleDisplayFlush() {
  if (!DisplayTimer_->isActive()) DisplayTimer_->start();
}

void TFormMain::FlushDisplay() {
  DisplayTimer_->stop();
  TPendingDisplay pending;
  std::swap(pending, Pending_);
  if (pending.FileName) SetEditText(EditFile, *pending.FileName);
  if (pending.Panel == TPendingDisplay::Clear) {
    for (QLineEdit* edit : {EditFileSize, EditAttributes, EditFileTimeCreated, EditFileTimeModified}) {
      SetEditText(edit, QString());
    }
  } else if (pending.Panel == TPendingDisplay::Show) {
    SetEditText(EditFileSize, FormatFileSize(pending.Properties.Size));
    SetEditText(EditAttributes, FileAttributesText(pending.Properties.Attributes));
    SetEditText(EditFileTimeCreated, FormatFileTime(pending.Properties.Created));
    SetEditText(EditFileTimeModified, FormatFileTime(pending.Properties.Modified));
  }
  if (pending.Digests) {
    for (int t = FirstHashType; t <= LastHashType; ++t) {
      SetEditText(Rows[static_cast<size_t>(t)].DigestEdit,
                  ApplyDigestCase(pending.Digests->GetHash(t), Settings.UpperCaseHash));
    }
  }
  if (pending.Progress != -2) ProgressBar->setValue(pending.Progress >= 0 ? pending.Progress : 0);
}

void TFormMain::ConvertDisplayedDigests(bool upper) {
  FlushDisplay();
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    QLineEdit* edit = Rows[static_cast<size_t>(t)].DigestEdit;
    edit->setText(ApplyDigestCase(edit->text(), upper));
  }
}

void TFormMain::ClearFileDisplay() {
  Pending_.FileName = QString();
  Pending_.Panel = TPendingDisplay::Clear;
  Pending_.Digests = THashList();
  ScheduleDisplayFlush();
}

void TFormMain::ShowFileProperties(const TFileProperties& properties) {
  Pending_.Panel = TPendingDisplay::Show;
  Pending_.Properties = properties;
  ScheduleDisplayFlush();
}

void TFormMain::ShowDigests(const THashList& hashes) {
  Pending_.Digests = hashes;
  ScheduleDisplayFlush();
}

void TFormMain::CollectDigests(THashList& hashes) {
  FlushDisplay();
  hashes.Clear();
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    const THashRow& row = Rows[static_cast<size_t>(t)];
    if (row.CheckBox->isChecked() && !row.DigestEdit->text().isEmpty()) hashes.SetHash(t, row.DigestEdit->text());
  }
}

void TFormMain::HashText(const QByteArray& text) {
  ClearFileDisplay();
  TDigrexList digesters;
  digesters.Init(GetTickedTypes());
  digesters.UpdateString(text);
  digesters.Final();
  THashList hashes;
  digesters.GetResults(hashes);
  ShowDigests(hashes);
  FlushDisplay();
  SetStatusText(RS(rs::fmain_stexthashed));
}

void TFormMain::HandleHashCopyClick() {
  FlushDisplay();
  const QObject* sender = QObject::sender();
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    const THashRow& row = Rows[static_cast<size_t>(t)];
    if (row.CopyButton != sender) continue;
    row.DigestEdit->selectAll();
    QApplication::clipboard()->setText(row.DigestEdit->text());
    SetStatusText(HashTypeToName(t) + QLatin1Char(' ') + RS(rs::fmain_shashcoppied));
    return;
  }
}

void TFormMain::HandleHashCompareClick() {
#ifdef DIGREX_HAVE_DIALOGS
  if (Forms_.Compare == nullptr) return;
  const QObject* sender = QObject::sender();
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    const THashRow& row = Rows[static_cast<size_t>(t)];
    if (row.CompareButton != sender) continue;
    CollectDigests(Forms_.Compare->AvailableHashes);
    Forms_.Compare->CompareDigest(static_cast<THashType>(t), row.DigestEdit->text());
    return;
  }
#endif
}
