// The main window's life cycle, the file queue side and the worker's events.
#include "app/FormMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDropEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>
#include <QUrl>
#include <sys/stat.h>

#include "app/FormLocationWidget.h"
#include "app/FormLogViewer.h"
#include "app/FormTranslation.h"
#include "app/StatusBar.h"
#include "app/WidgetHelpers.h"
#include "i18n/Languages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"
#include "settings/LanguageChoice.h"
#include "settings/Settings.h"
#include "util/FolderWalk.h"
#include "util/PathCodec.h"
#include "worker/DigrexThread.h"
#include "worker/FileQueue.h"

#ifdef DIGREX_HAVE_DIALOGS
#include "dialogs/FormCompareFiles.h"
#include "dialogs/FormText.h"
#endif

namespace {

constexpr int DesignedClientWidth = 480;

TDateTime NowDateTime() { return FileTimeToLocalDateTime(QDateTime::currentDateTime()); }

}  // namespace

TFormMain::TFormMain(TSettings& settings, const QStringList& commandLine, QWidget* parent)
    : QMainWindow(parent), Settings(settings), CommandLine_(commandLine) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(QStringLiteral("Digrex"));
  setAcceptDrops(true);
  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildBody();
  TranslateForm(this);
  SaveLogButtonHint_ = TranslateFormText(FormTextKey({QStringLiteral("TFormMain"), QStringLiteral("TB_SaveLog"),
                                                      QStringLiteral("Hint")}),
                                         SaveLogButtonHint_);
  FormCreate();
}

TFormMain::~TFormMain() { FormDestroy(); }

void TFormMain::FormCreate() {
  // 1. No pop-up tooltips, hints reach panel 5 as status tips (see event());
  // 2. OtherFormShown follows the other windows' show events. Both through eventFilter().
  qApp->installEventFilter(this);
  // 3.
  BuildRows();
  // 4.
  LastSpeedTime = NowDateTime();
  LastSpeedBytes = 0;
  TimerSpeed = new QTimer(this);
  TimerSpeed->setObjectName(QStringLiteral("TimerSpeed"));
  TimerSpeed->setInterval(1000);
  connect(TimerSpeed, &QTimer::timeout, this, &TFormMain::TimerSpeedTimer);
  TimerSpeed->start();
  DisplayTimer_ = new QTimer(this);
  DisplayTimer_->setSingleShot(true);
  DisplayTimer_->setInterval(30);
  connect(DisplayTimer_, &QTimer::timeout, this, &TFormMain::FlushDisplay);
  // 5.
  SetProgress(-1);
  SetSpeed(-1);
  // 6.
  SetTickedTypes(Settings.HashTypes);
  ApplySettings(true);
  // 7, 8.
  CreateWorker();
  UpdateWorkerTypes();
  // 9.
  UpdateFileCount();
  // 10.
  BuildLanguageMenu();
  UpdateActions();
  // The designed client width; the layout may ask for more.
  resize(qMax(DesignedClientWidth, minimumSizeHint().width()), sizeHint().height());
}

void TFormMain::CreateWorker() {
  FileLog.Clear();
  Worker = std::make_unique<TDigrexThread>();
  Worker->SetWindow(this);
  Worker->FileQueue = &SharedFileQueue;
  Worker->Start();
}

void TFormMain::BuildLanguageMenu() {
  LanguageCatalogue.OnLanguageSelected = [this](const QString& code) { LanguageSelected(code); };
  LanguageCatalogue.Scan(LanguagesFolder(), FlagsFolder());
  MI_Language->clear();
  const QList<TLanguageMenuEntry> entries = LanguageCatalogue.BuildMenu();
  for (const TLanguageMenuEntry& entry : entries) {
    if (entry.Separator) {
      MI_Language->addSeparator();
      continue;
    }
    QAction* item = MI_Language->addAction(entry.Caption);
    item->setObjectName(QStringLiteral("MI_Language_") + entry.Code);
    item->setCheckable(true);
    item->setChecked(entry.Checked);
    if (!entry.FlagFile.isEmpty()) {
      const QIcon flag(entry.FlagFile);
      if (!flag.isNull() && !flag.availableSizes().isEmpty()) item->setIcon(flag);
    }
    // The tick stays where it was until the next start.
    const int tag = entry.Tag;
    const bool checked = entry.Checked;
    connect(item, &QAction::triggered, this, [item, tag, checked] {
      item->setChecked(checked);
      LanguageCatalogue.LanguageItemClick(tag);
    });
  }
}

void TFormMain::AttachForms(const TForms& forms) {
  Forms_ = forms;
  if (Forms_.LogViewer != nullptr) Forms_.LogViewer->SetCommands(ActionSaveLog, ActionClearLog);
#ifdef DIGREX_HAVE_DIALOGS
  if (Forms_.Text != nullptr) connect(Forms_.Text, &TFormText::HashTextRequested, this, &TFormMain::HashText);
#endif
  UpdateActions();
}

void TFormMain::ApplySettings(bool initial) {
  // Stay-on-top needs the window to be shown again to take effect.
  const bool visible = isVisible();
  const bool onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  if (onTop != Settings.StayOnTop) {
    setWindowFlag(Qt::WindowStaysOnTopHint, Settings.StayOnTop);
    if (visible) show();
  }
  MainToolBar->setToolButtonStyle(Settings.ToolbarCaptions ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
  if (!initial) ConvertDisplayedDigests(Settings.UpperCaseHash);
}

void TFormMain::OtherFormShown(QWidget* window) {
  if (window == nullptr || window == this || !window->isVisible()) return;
  // Changing the style re-creates the window, which would end a modal dialog's run at
  // once; modal dialogs stay above the main window as its transient windows anyway.
  if (window->isModal()) return;
  const bool onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window->show();
  }
}

void TFormMain::SetApplicationHint(const QString& hint) {
  if (hint == ApplicationHint_) return;
  ApplicationHint_ = hint;
  ShowApplicationHint(hint);
}

void TFormMain::ShowApplicationHint(const QString& hint) { SetStatusText(hint); }

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!Shown_ && !event->spontaneous()) {
    Shown_ = true;
    FormShow();
  }
}

void TFormMain::FormShow() {
  // 1. The smallest window: the designed layout with the messages area shut.
  if (QLayout* l = centralWidget()->layout()) l->activate();
  if (layout() != nullptr) layout()->activate();
  resize(width(), CollapsedClientHeight());
  setMinimumSize(size());
  // 2.
  ShowMessages(false, true);
  // 3. A remembered place, or centred on the screen.
  if (!RestoreFormLocation(Settings.MainForm, this)) {
    if (const QScreen* s = screen()) {
      const QRect area = s->availableGeometry();
      move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
  }
  PlaceStartHints();
  // 4.
  QCoreApplication::postEvent(this, new QEvent(WM_AFTER_SHOW));
}

void TFormMain::HandleAfterShow() { AddCommandLinePaths(); }

bool TFormMain::FormCloseQuery() {
  CaptureFormLocation(Settings.MainForm, this);
  Settings.HashTypes = GetTickedTypes();
  return true;
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    event->accept();
    emit Closed();
  } else {
    event->ignore();
  }
}

void TFormMain::FormDestroy() {
  if (Destroyed_) return;
  Destroyed_ = true;
  qApp->removeEventFilter(this);
  LanguageCatalogue.OnLanguageSelected = nullptr;
  if (Worker) {
    Worker->DetachWindow();
    Worker->Terminate();
    // The body ends within one block read or its poll sleep; records it still holds are shared.
    Worker.reset();
  }
  FileLog.Clear();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceStartHints();
}

bool TFormMain::event(QEvent* event) {
  switch (static_cast<int>(event->type())) {
    case WM_WORKER_EVENT:
      HandleWorkerEvent(*TWorkerEvent::Accept(event));
      return true;
    case WM_AFTER_SHOW:
      HandleAfterShow();
      return true;
    case QEvent::StatusTip:
      SetApplicationHint(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    case QEvent::LayoutRequest: {
      const bool result = QMainWindow::event(event);
      PlaceStartHints();
      return result;
    }
    default:
      return QMainWindow::event(event);
  }
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ToolTip:
      return true;
    case QEvent::Show:
      if (watched != this && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && w->parentWidget() != nullptr && w->parentWidget()->window() == this &&
            !qobject_cast<QMenu*>(w)) {
          OtherFormShown(w);
        }
      }
      break;
    case QEvent::Enter:
      if (watched == SaveLogButton_) SetApplicationHint(SaveLogButtonHint_);
      break;
    case QEvent::Leave:
      if (watched == SaveLogButton_) SetApplicationHint(QString());
      break;
    case QEvent::KeyPress:
      if (watched == EditFile) {
        // EditFileKeyPress: Enter re-queues the path, Escape skips the current file.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
          RunAction(ActionRehashFile);
          return true;
        }
        if (key->key() == Qt::Key_Escape) {
          RunAction(ActionSkip);
          return true;
        }
      }
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- Adding files ---

void TFormMain::HideStartHints() {
  if (StartHints_ != nullptr && StartHints_->isVisible()) StartHints_->hide();
  if (Panel_DragAndDrop->isVisible()) Panel_DragAndDrop->hide();
  if (Panel_HoldControl->isVisible()) Panel_HoldControl->hide();
}

void TFormMain::AddPath(const QString& path) {
  HideStartHints();
  // The path's own bytes: a name that is not UTF-8 is still found (PathCodec.h).
  struct stat info {};
  const bool exists = !path.isEmpty() && ::stat(EncodePath(path).constData(), &info) == 0;
  if (exists && S_ISREG(info.st_mode)) {
    SharedFileQueue.Push(path);
  } else if (exists && S_ISDIR(info.st_mode)) {
    WalkFolder(path, [](const QString& file) { SharedFileQueue.Push(file); });
  } else {
    AddMessage(mkWarning, RS(rs::fmain_sfilenotfound));
    AddMessageDetail(path);
  }
}

void TFormMain::AddPathList(const QStringList& paths) {
  for (const QString& path : paths) AddPath(path);
  UpdateFileCount();
}

void TFormMain::AddCommandLinePaths() {
  ReadComparisonKeys();
  AddPathList(CommandLine_);
}

void TFormMain::FormDropFiles(const QStringList& names) {
  ReadComparisonKeys();
  AddPathList(names);
}

namespace {

QStringList DroppedPaths(const QMimeData* mime) {
  QStringList paths;
  if (mime == nullptr || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) paths << LocalPathOfUrl(url);
  }
  return paths;
}

}  // namespace

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFormMain::dragMoveEvent(QDragMoveEvent* event) {
  if (!DroppedPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  const QStringList paths = DroppedPaths(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  // Folders arrive with a trailing slash removed by QUrl; the walk adds its own separators.
  FormDropFiles(paths);
}

void TFormMain::HandleWorkerEvent(const TWorkerEvent& event) {
  switch (event.Code) {
    case weStarted:
      break;
    case weError:
      InProgress_ = nullptr;
      SetStatusText(RS(rs::fmain_sstatuserror));
      AddMessage(mkError, RS(rs::fmain_serroroccurred));
      AddMessageDetail(event.Text);
      break;
    case weFileStarted:
      if (!event.File) break;
      FileLog.Add(event.File);
      InProgress_ = event.File.get();
      if (Forms_.LogViewer != nullptr) Forms_.LogViewer->AddFile(event.File);
      UpdateFileCount();
      ClearFileDisplay();
      Pending_.FileName = event.File->FileName;
      ScheduleDisplayFlush();
      SetStatusText(RS(rs::fmain_sstatusworking));
      break;
    case weFileInfo:
      if (event.File) ShowFileProperties(event.File->Properties);
      break;
    case weProgress:
      SetProgress(static_cast<int>(event.Value));
      break;
    case weFileFinished:
      if (!event.File) break;
      if (InProgress_ == event.File.get()) InProgress_ = nullptr;
      UpdateFileCount();
      ShowDigests(event.File->Hashes);
      if (Forms_.LogViewer != nullptr) Forms_.LogViewer->UpdateFile(*event.File);
      CompareFinishedFile(*event.File);
      break;
    case weFileSkipped:
      UpdateFileCount();
      SetStatusText(RS(rs::fmain_sstatuscancelled));
      SetProgress(-1);
      AddMessage(mkWarning, RS(rs::fmain_sfilecancelled));
      AddMessageDetail(event.Text);
      break;
    case weBusy:
      RefreshStatusBar();
      SetStatusText(RS(rs::fmain_sstatusworking));
      UpdateActions();
      break;
    case weIdle:
      InProgress_ = nullptr;
      RefreshStatusBar();
      SetStatusText(RS(rs::fmain_sstatusfinished));
      UpdateActions();
      break;
  }
}

// --- Comparison modes ---

void TFormMain::ReadComparisonKeys() {
  if (IsShiftDown()) ActionCompareToNextFile->setChecked(true);
  if (IsCtrlDown()) ActionCompareNextTwoFiles->setChecked(true);
}

void TFormMain::CompareFinishedFile(THashFile& record) {
  if (ActionCompareToNextFile->isChecked()) {
    THashFile* previous = FileLog.Previous(&record);
    if (previous != nullptr) {
      ActionCompareToNextFile->setChecked(false);
      bool match = false;
#ifdef DIGREX_HAVE_DIALOGS
      if (Forms_.CompareFiles != nullptr) {
        match = Forms_.CompareFiles->CompareFiles(record, *previous);
      } else
#endif
      {
        THashTypes matched = 0, mismatched = 0;
        match = record.Hashes.CompareWith(previous->Hashes, matched, mismatched);
      }
      if (!match) {
        AddMessage(mkWarning, RS(rs::fmain_shashesoffilesdontmatch));
        AddMessageDetail(record.FileName);
        AddMessageDetail(previous->FileName);
      }
    }
  }
  if (ActionCompareNextTwoFiles->isChecked()) {
    ActionCompareNextTwoFiles->setChecked(false);
    ActionCompareToNextFile->setChecked(true);
  }
}
