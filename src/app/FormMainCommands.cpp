// The commands of the main window.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>

#include "app/FormLogViewer.h"
#include "app/FormMain.h"
#include "i18n/Languages.h"
#include "i18n/ResourceStrings.h"
#include "settings/DataFolder.h"
#include "settings/LanguageChoice.h"
#include "settings/Settings.h"
#include "util/Version.h"
#include "worker/DigrexThread.h"
#include "worker/FileQueue.h"

#ifdef DIGREX_HAVE_DIALOGS
#include "dialogs/BusyCursor.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormSaveLog.h"
#include "dialogs/FormSettings.h"
#include "dialogs/FormText.h"
#include "dialogs/MessageBox.h"
#include "dialogs/Shell.h"
#include "dialogs/VerificationWriter.h"
#endif

namespace {

void ShowForm(QWidget* form) {
  if (form == nullptr) return;
  if (form->isMinimized()) form->showNormal();
  form->show();
  form->raise();
  form->activateWindow();
}

QStringList RunOpenDialog(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Add files"));
  dialog.setObjectName(QStringLiteral("OpenDialog"));
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilters({QStringLiteral("All files (*)"), QStringLiteral("Executables (*.exe *.dll)")});
  dialog.setViewMode(QFileDialog::Detail);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

QStringList RunFolderDialog(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Add folders"));
  dialog.setObjectName(QStringLiteral("SelectDirectoryDialog"));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

QString TFormMain::HelpAddress() { return QStringLiteral("https://") + MakerWebAddress() + QStringLiteral("/digrex/help"); }

QString TFormMain::ForumAddress() {
  return QStringLiteral("https://") + MakerWebAddress() + QStringLiteral("/digrex/forum");
}

void TFormMain::RunAction(QAction* action) {
  UpdateActions();
  if (action->isEnabled()) action->trigger();
}

void TFormMain::UpdateActions() {
  ActionSkipUpdate();
  ActionCancelUpdate();
  ActionClearLogUpdate();
#ifndef DIGREX_HAVE_DIALOGS
  for (QAction* a : {ActionTextHash, ActionSettings, ActionSaveLog, ActionAbout, ActionHelp, ActionForum,
                     ActionHistory, ActionCopyrights}) {
    a->setEnabled(false);
  }
#else
  ActionTextHash->setEnabled(Forms_.Text != nullptr);
  ActionSettings->setEnabled(Forms_.Settings != nullptr);
  ActionSaveLog->setEnabled(Forms_.SaveLog != nullptr);
  ActionAbout->setEnabled(Forms_.About != nullptr);
#endif
  ActionViewLog->setEnabled(Forms_.LogViewer != nullptr);
}

void TFormMain::ActionSkipUpdate() { ActionSkip->setEnabled(WorkerBusy()); }

void TFormMain::ActionCancelUpdate() { ActionCancel->setEnabled(WorkerBusy()); }

void TFormMain::ActionClearLogUpdate() { ActionClearLog->setEnabled(!WorkerBusy()); }

// --- File ---

void TFormMain::ActionAddFilesExecute() {
  const QStringList files = ChooseFiles ? ChooseFiles(this) : RunOpenDialog(this);
  if (files.isEmpty()) return;
  ReadComparisonKeys();
  AddPathList(files);
}

void TFormMain::ActionAddFolderExecute() {
  const QStringList folders = ChooseFolders ? ChooseFolders(this) : RunFolderDialog(this);
  if (folders.isEmpty()) return;
  AddPathList(folders);
}

void TFormMain::ActionTextHashExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  ShowForm(Forms_.Text);
#endif
}

void TFormMain::ActionSettingsExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  if (Forms_.Settings != nullptr) Forms_.Settings->exec();
#endif
}

void TFormMain::ActionExitExecute() { close(); }

// --- Log ---

void TFormMain::ActionViewLogExecute() {
  if (Forms_.LogViewer == nullptr) return;
  ShowForm(Forms_.LogViewer);
}

bool TFormMain::NextLogFile(THashFilePtr& record) {
  while (SaveLogIndex >= 0 && SaveLogIndex < FileLog.Count()) {
    const THashFilePtr& candidate = FileLog.Item(SaveLogIndex++);
    // The worker may still be storing this one's digests: it is not handed out.
    if (candidate.get() == InProgress_ && WorkerBusy()) continue;
    record = candidate;
    return true;
  }
  return false;
}

void TFormMain::ActionSaveLogExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  if (Forms_.SaveLog == nullptr || !Forms_.SaveLog->Execute()) return;
  QString failure;
  bool failed = false;
  {
    TBusyCursor busy;
    SaveLogIndex = 0;
    try {
      TVerificationWriter writer;
      writer.HashType = Forms_.SaveLog->SelectedHashType();
      writer.Format = Forms_.SaveLog->SelectedFormat();
      writer.UseFullPath = Forms_.SaveLog->UseFilePaths();
      writer.OnNextFile = [this](THashFilePtr& record) { return NextLogFile(record); };
      writer.SaveToFile(Forms_.SaveLog->TargetPath());
    } catch (const Exception& e) {
      failed = true;
      failure = e.Message();
    } catch (const std::exception& e) {
      failed = true;
      failure = QString::fromLocal8Bit(e.what());
    }
  }
  // The box comes after the normal pointer is back.
  if (failed) {
    ShowMessageBox(this, TMessageBoxKind::Error, RS(rs::fmain_sfailedtosavelog) + QStringLiteral("\r\n") + failure);
  } else {
    SetStatusText(RS(rs::fmain_slogfilesaved));
  }
#endif
}

void TFormMain::ActionClearLogExecute() {
  if (WorkerBusy()) return;
  if (Forms_.LogViewer != nullptr) Forms_.LogViewer->ClearRows();
  FileLog.Clear();
  InProgress_ = nullptr;
  UpdateFileCount();
  SetStatusText(RS(rs::fmain_sstatuslogcleared));
}

void TFormMain::ActionToggleMessagesExecute() { ShowMessages(!MessagesVisible(), false); }

void TFormMain::ActionCopyMessagesExecute() { QApplication::clipboard()->setText(MessagesText()); }

void TFormMain::ActionClearMessagesExecute() {
  ClearMessages();
  SetStatusText(RS(rs::fmain_sstatusmessagescleared));
}

// --- Options ---

void TFormMain::ActionSkipExecute() {
  if (Worker) Worker->Skip();
}

void TFormMain::ActionCancelExecute() {
  SharedFileQueue.Clear();
  if (Worker) Worker->Skip();
}

void TFormMain::ActionSelectAllExecute() { TickAllTypes(true); }

void TFormMain::ActionSelectNoneExecute() { TickAllTypes(false); }

// The check mark flips by itself when the command runs; that is the whole command.
void TFormMain::ActionCompareToNextFileExecute() {}

void TFormMain::ActionCompareNextTwoFilesExecute() {}

void TFormMain::ActionExportToClipboardExecute() {
  FlushDisplay();
  const QString crlf = QStringLiteral("\r\n");
  QString text = EditFile->text() + crlf;
  text += LabelFileSize->text() + QLatin1Char(' ') + EditFileSize->text() + crlf;
  text += LabelAttributes->text() + QLatin1Char(' ') + EditAttributes->text() + crlf;
  text += LabelFileTimeCreated->text() + QLatin1Char(' ') + EditFileTimeCreated->text() + crlf;
  text += LabelFileTimeModified->text() + QLatin1Char(' ') + EditFileTimeModified->text() + crlf;
  THashList hashes;
  CollectDigests(hashes);
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    if (hashes.HasHash(t)) text += HashTypeToName(t) + QStringLiteral(": ") + hashes.GetHash(t) + crlf;
  }
  QApplication::clipboard()->setText(text);
}

void TFormMain::ActionRehashFileExecute() {
  FlushDisplay();
  const QString typed = EditFile->text();
  // Blanks and control characters around the path do not count as a path.
  int first = 0, last = static_cast<int>(typed.size()) - 1;
  while (first <= last && typed[first].unicode() <= 32) ++first;
  while (last >= first && typed[last].unicode() <= 32) --last;
  if (first > last) {
    ActionAddFiles->trigger();
    return;
  }
  ReadComparisonKeys();
  AddPathList({typed});
}

// --- Help ---

void TFormMain::ActionHelpExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  ShellOpen(HelpAddress(), this);
#endif
}

void TFormMain::ActionForumExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  ShellOpen(ForumAddress(), this);
#endif
}

void TFormMain::ActionHistoryExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  ShellOpen(GetProgramFolder() + QStringLiteral("History.txt"), this);
#endif
}

void TFormMain::ActionCopyrightsExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  ShellOpen(GetProgramFolder() + QStringLiteral("Copyrights.txt"), this);
#endif
}

void TFormMain::ActionAboutExecute() {
#ifdef DIGREX_HAVE_DIALOGS
  ShowForm(Forms_.About);
#endif
}

// --- Language ---

void TFormMain::LanguageSelected(const QString& code) {
  const QString notice = ApplyLanguageChoice(Settings, LanguageCatalogue, code);
  if (notice.isEmpty()) return;
#ifdef DIGREX_HAVE_DIALOGS
  ShowMessageBox(this, TMessageBoxKind::Information, notice);
#endif
}
