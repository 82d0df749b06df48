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
  QString separator = QStringLiteral(":");
  const QString timeFormat = QLocale().timeFormat(QLocale::ShortFormat);
  for (const QChar c : timeFormat) {
    if (!c.isLetter() && !c.isSpace()) {
      separator = QString(c);
      break;
    }
  }
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
  PendingTexts_.insert(edit, text);
  ScheduleDisplayFlush();
}

void TFormMain::ScheduleDisplayFlush() {
  if (!DisplayTimer_->isActive()) DisplayTimer_->start();
}

void TFormMain::FlushDisplay() {
  DisplayTimer_->stop();
  for (auto it = PendingTexts_.cbegin(); it != PendingTexts_.cend(); ++it) {
    QLineEdit* edit = it.key();
    if (edit->text() == it.value()) continue;
    edit->setText(it.value());
    // Digests and properties read from their start; the file box shows the file's name at its end.
    if (edit->isReadOnly()) edit->setCursorPosition(0);
  }
  PendingTexts_.clear();
  if (PendingProgress_ != -2) {
    const int p = PendingProgress_;
    PendingProgress_ = -2;
    ProgressBar->setValue(p >= 0 ? p : 0);
  }
}

void TFormMain::ConvertDisplayedDigests(bool upper) {
  FlushDisplay();
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    QLineEdit* edit = Rows[static_cast<size_t>(t)].DigestEdit;
    edit->setText(ApplyDigestCase(edit->text(), upper));
  }
}

void TFormMain::ClearFileDisplay() {
  for (QLineEdit* edit : {EditFile, EditFileSize, EditAttributes, EditFileTimeCreated, EditFileTimeModified}) {
    SetEditText(edit, QString());
  }
  for (int t = FirstHashType; t <= LastHashType; ++t) SetEditText(Rows[static_cast<size_t>(t)].DigestEdit, QString());
}

void TFormMain::ShowFileProperties(const TFileProperties& properties) {
  SetEditText(EditFileSize, FormatFileSize(properties.Size));
  SetEditText(EditAttributes, FileAttributesText(properties.Attributes));
  SetEditText(EditFileTimeCreated, FormatFileTime(properties.Created));
  SetEditText(EditFileTimeModified, FormatFileTime(properties.Modified));
}

void TFormMain::ShowDigests(const THashList& hashes) {
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    SetEditText(Rows[static_cast<size_t>(t)].DigestEdit, ApplyDigestCase(hashes.GetHash(t), Settings.UpperCaseHash));
  }
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
