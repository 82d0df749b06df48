#pragma once
// TFormMain: the main window. It shows one file at a time (path, properties and
// one row per hash type), feeds the shared file queue from dialogs, drops, the
// file box and the command line, reacts to the worker's events, keeps the log
// of the run (FileLog), and reports in its messages list and status bar.
//
// Start-up creates it first; the other windows are handed to it with AttachForms
// (each may be missing: the command that needs it is then disabled).
#include <QAction>
#include <QEvent>
#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <memory>

#include "app/MessageList.h"
#include "engine/HashFile.h"
#include "engine/HashList.h"
#include "engine/HashTypes.h"
#include "util/DateTime.h"
#include "worker/WorkerEvent.h"

class QCheckBox;
class QFileDialog;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QProgressBar;
class QToolBar;
class QToolButton;
class TDigrexThread;
class TFileQueue;
class TFormAbout;
class TFormCompare;
class TFormCompareFiles;
class TFormLogViewer;
class TFormSaveLog;
class TFormSettings;
class TFormText;
class TSettings;
class TStatusBar;

// The private message the window posts to itself at the end of FormShow.
constexpr QEvent::Type WM_AFTER_SHOW = QEvent::Type(1025);

// The controls of one hash-type row.
struct THashRow {
  QLineEdit* DigestEdit = nullptr;
  QCheckBox* CheckBox = nullptr;
  QToolButton* CopyButton = nullptr;
  QToolButton* CompareButton = nullptr;
  QToolButton* SelectButton = nullptr;
};

class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  // settings: the process's settings (read here, written back on close).
  // commandLine: the paths to queue once the window is shown (program name excluded).
  explicit TFormMain(TSettings& settings, const QStringList& commandLine = QStringList(),
                     QWidget* parent = nullptr);
  ~TFormMain() override;

  // The secondary windows, created after this one; any may be nullptr.
  struct TForms {
    TFormText* Text = nullptr;
    TFormLogViewer* LogViewer = nullptr;
    TFormAbout* About = nullptr;
    TFormCompare* Compare = nullptr;
    TFormCompareFiles* CompareFiles = nullptr;
    TFormSaveLog* SaveLog = nullptr;
    TFormSettings* Settings = nullptr;
  };
  void AttachForms(const TForms& forms);
  const TForms& Forms() const { return Forms_; }

  // --- start-up and life cycle ---
  void ApplySettings(bool initial);
  void OtherFormShown(QWidget* window);
  void ShowApplicationHint(const QString& hint);
  // Sets the application's hint text (the hint of what the pointer is over); shown in panel 5.
  void SetApplicationHint(const QString& hint);
  QString ApplicationHint() const { return ApplicationHint_; }

  // --- rows and file panel ---
  THashTypes GetTickedTypes() const;
  void SetTickedTypes(THashTypes types);
  void TickAllTypes(bool on);
  void UpdateWorkerTypes();
  void ConvertDisplayedDigests(bool upper);
  void ClearFileDisplay();
  void ShowFileProperties(const TFileProperties& properties);
  void ShowDigests(const THashList& hashes);
  void CollectDigests(THashList& hashes);
  void HashText(const QByteArray& text);

  // --- adding files ---
  void AddPath(const QString& path);
  void AddPathList(const QStringList& paths);
  void AddCommandLinePaths();
  void HideStartHints();
  void FormDropFiles(const QStringList& names);
  void HandleWorkerEvent(const TWorkerEvent& event);

  // --- comparison modes ---
  void ReadComparisonKeys();
  void CompareFinishedFile(THashFile& record);

  // --- messages, status bar, speed ---
  void AddMessage(TMessageKind kind, const QString& text);
  void AddMessageDetail(const QString& text);
  void ClearMessages();
  bool MessagesVisible() const;
  void ShowMessages(bool show, bool force);
  int CollapsedClientHeight() const;
  void SetStatusText(const QString& text);
  void SetSpeed(int64_t bytesPerSecond);
  void SetProgress(int percentage);
  void UpdateFileCount();
  void RefreshStatusBar();
  QString MessagesText() const;
  TMessageKind MessageSeverity() const;
  int WarningCount = 0;
  int ErrorCount = 0;

  // --- commands ---
  // Save Log's source of records: every logged record in order, except the one the
  // worker is still filling.
  bool NextLogFile(THashFilePtr& record);
  void LanguageSelected(const QString& code);
  // Updates the command's enabled state, then runs it if it is enabled (as the toolkit
  // does when a short cut or a key runs a command).
  void RunAction(QAction* action);
  // Runs every update handler (the toolkit's idle-time update of commands).
  void UpdateActions();
  // Writes pending display changes to the controls now. The window collects the
  // many small changes the worker's events make and shows them a few dozen times a
  // second; everything that reads the controls calls this first.
  void FlushDisplay();

  // Dialog choices, replaceable by tests: the files or folders chosen, empty when cancelled.
  std::function<QStringList(QWidget*)> ChooseFiles;
  std::function<QStringList(QWidget*)> ChooseFolders;

  TSettings& Settings;
  THashFileList FileLog;
  std::unique_ptr<TDigrexThread> Worker;
  std::array<THashRow, HashTypeCount> Rows{};
  TDateTime LastSpeedTime = 0;
  int64_t LastSpeedBytes = 0;
  int SaveLogIndex = 0;

  // Controls, by their names.
  QToolBar* MainToolBar = nullptr;
  QFrame* Panel_DragAndDrop = nullptr;
  QFrame* Panel_HoldControl = nullptr;
  QLineEdit* EditFile = nullptr;
  QToolButton* SB_Rehash = nullptr;
  QFrame* GroupBoxFileInfo = nullptr;
  QLabel* LabelFileSize = nullptr;
  QLineEdit* EditFileSize = nullptr;
  QLabel* LabelAttributes = nullptr;
  QLineEdit* EditAttributes = nullptr;
  QLabel* LabelFileTimeCreated = nullptr;
  QLineEdit* EditFileTimeCreated = nullptr;
  QLabel* LabelFileTimeModified = nullptr;
  QLineEdit* EditFileTimeModified = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QWidget* Panel_Messages = nullptr;
  QFrame* Bevel_Border = nullptr;
  QListView* ListBox_Messages = nullptr;
  TMessageListModel* Messages = nullptr;
  TStatusBar* StatusBar = nullptr;
  QTimer* TimerSpeed = nullptr;
  QMenu* MI_File = nullptr;
  QMenu* MI_Log = nullptr;
  QMenu* MI_Options = nullptr;
  QMenu* MI_Language = nullptr;
  QMenu* MI_Help = nullptr;
  QMenu* PopupMenu_HashTypes = nullptr;
  QMenu* PopupMenu_Messages = nullptr;

  // Commands.
  QAction* ActionAddFiles = nullptr;
  QAction* ActionAddFolder = nullptr;
  QAction* ActionTextHash = nullptr;
  QAction* ActionSettings = nullptr;
  QAction* ActionExit = nullptr;
  QAction* ActionViewLog = nullptr;
  QAction* ActionSaveLog = nullptr;
  QAction* ActionClearLog = nullptr;
  QAction* ActionToggleMessages = nullptr;
  QAction* ActionCopyMessages = nullptr;
  QAction* ActionClearMessages = nullptr;
  QAction* ActionSkip = nullptr;
  QAction* ActionCancel = nullptr;
  QAction* ActionSelectAll = nullptr;
  QAction* ActionSelectNone = nullptr;
  QAction* ActionCompareToNextFile = nullptr;
  QAction* ActionCompareNextTwoFiles = nullptr;
  QAction* ActionExportToClipboard = nullptr;
  QAction* ActionRehashFile = nullptr;
  QAction* ActionHelp = nullptr;
  QAction* ActionForum = nullptr;
  QAction* ActionHistory = nullptr;
  QAction* ActionCopyrights = nullptr;
  QAction* ActionAbout = nullptr;

  // The addresses the Help and Forum commands open.
  static QString HelpAddress();
  static QString ForumAddress();

 signals:
  // The window was closed (its close was accepted).
  void Closed();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Building the window (FormMainUi.cpp).
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildBody();
  void BuildStatusBar();
  void BuildRows();
  void BuildLanguageMenu();
  void PlaceStartHints();
  QAction* NewAction(const char* name, const QString& caption, const QString& hint, const QIcon& icon,
                     void (TFormMain::*handler)());

  // Life cycle (FormMain.cpp).
  void FormCreate();
  void FormShow();
  bool FormCloseQuery();
  void FormDestroy();
  void CreateWorker();
  void HandleAfterShow();

  // Rows (FormMainRows.cpp).
  void HandleHashTypeChange();
  void HandleHashSelectClick();
  void HandleHashCopyClick();
  void HandleHashCompareClick();
  static void SetEditText(QLineEdit* edit, const QString& text);
  void ScheduleDisplayFlush();

  // Messages and status bar (FormMainStatus.cpp).
  void StatusBarDrawPanel(QPainter& painter, int panel, const QRect& rect);
  void StatusBarClick();
  void StatusBarMouseMove(int x, int y);
  void TimerSpeedTimer();

  // Command handlers (FormMainCommands.cpp).
  void ActionAddFilesExecute();
  void ActionAddFolderExecute();
  void ActionTextHashExecute();
  void ActionSettingsExecute();
  void ActionExitExecute();
  void ActionViewLogExecute();
  void ActionSaveLogExecute();
  void ActionClearLogExecute();
  void ActionToggleMessagesExecute();
  void ActionCopyMessagesExecute();
  void ActionClearMessagesExecute();
  void ActionSkipExecute();
  void ActionCancelExecute();
  void ActionSelectAllExecute();
  void ActionSelectNoneExecute();
  void ActionCompareToNextFileExecute();
  void ActionCompareNextTwoFilesExecute();
  void ActionExportToClipboardExecute();
  void ActionRehashFileExecute();
  void ActionHelpExecute();
  void ActionForumExecute();
  void ActionHistoryExecute();
  void ActionCopyrightsExecute();
  void ActionAboutExecute();
  void ActionSkipUpdate();
  void ActionCancelUpdate();
  void ActionClearLogUpdate();
  bool WorkerBusy() const;

  TForms Forms_;
  QStringList CommandLine_;
  QString ApplicationHint_;
  QWidget* StartHints_ = nullptr;
  QTimer* DisplayTimer_ = nullptr;
  // Display changes not yet written to the controls; formatted only when written.
  struct TPendingDisplay {
    std::optional<QString> FileName;
    enum { None, Clear, Show } Panel = None;
    TFileProperties Properties;
    std::optional<THashList> Digests;  // an empty list empties every digest box
    int Progress = -2;                 // -2: nothing pending
  } Pending_;
  int ShownProgress_ = -1;
  QWidget* SaveLogButton_ = nullptr;
  QString SaveLogButtonHint_ = QStringLiteral("Save Log");
  const THashFile* InProgress_ = nullptr;  // the record the worker may still be writing
  bool Shown_ = false;
  bool Destroyed_ = false;
};
