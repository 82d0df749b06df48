// Building the main window: commands, menus, tool bar, body and status bar.
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FormMain.h"
#include "app/Icons.h"
#include "app/StatusBar.h"

namespace {

constexpr int RowHeight = 24;

const char* RowSuffix(int type) {
  switch (type) {
    case htRipeMD128:
      return "RMD128";
    case htRipeMD160:
      return "RMD160";
    default:
      return HashTypeInfos[static_cast<size_t>(type)].Name;
  }
}

QFont PixelFont(const QFont& base, int pixels, bool bold = false) {
  QFont f = base;
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// "Courier New" where it is installed, else the usual monospace faces of Linux desktops
// (fontconfig would stand in a thin Courier clone for it, hard to read on screen).
QFont DigestFont() {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  QStringList families;
  const QStringList installed = QFontDatabase::families();
  for (const char* name : {"Courier New", "DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono"}) {
    if (installed.contains(QString::fromLatin1(name))) families << QString::fromLatin1(name);
  }
  families << f.family();
  f.setFamilies(families);
  f.setStyleHint(QFont::Monospace);
  f.setFixedPitch(true);
  f.setPixelSize(13);
  return f;
}

QLineEdit* NewEdit(QWidget* parent, const QString& name, bool readOnly) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(readOnly);
  return edit;
}

QToolButton* NewFlatButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setIcon(icon);
  button->setIconSize(QSize(16, 16));
  button->setStatusTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

QAction* TFormMain::NewAction(const char* name, const QString& caption, const QString& hint, const QIcon& icon,
                              void (TFormMain::*handler)()) {
  auto* action = new QAction(icon, caption, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setStatusTip(hint);
  action->setIconVisibleInMenu(true);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, handler);
  addAction(action);
  return action;
}

void TFormMain::BuildActions() {
  using SP = QStyle::StandardPixmap;
  ActionAddFiles = NewAction("ActionAddFiles", QStringLiteral("Add Files"), QStringLiteral("Add Files"),
                             ThemeIcon("document-open", SP::SP_DialogOpenButton), &TFormMain::ActionAddFilesExecute);
  ActionAddFolder = NewAction("ActionAddFolder", QStringLiteral("Add Folder"), QStringLiteral("Add Folder"),
                              ThemeIcon("folder-open", SP::SP_DirOpenIcon), &TFormMain::ActionAddFolderExecute);
  ActionTextHash = NewAction("ActionTextHash", QStringLiteral("Hash Text"), QStringLiteral("Hash Text"),
                             ThemeIcon("accessories-text-editor", SP::SP_FileDialogContentsView),
                             &TFormMain::ActionTextHashExecute);
  ActionSettings = NewAction("ActionSettings", QStringLiteral("Settings"), QString(),
                             ThemeIcon("preferences-system", SP::SP_FileDialogListView),
                             &TFormMain::ActionSettingsExecute);
  ActionExit = NewAction("ActionExit", QStringLiteral("Exit"), QString(),
                         ThemeIcon("application-exit", SP::SP_DialogCloseButton), &TFormMain::ActionExitExecute);
  ActionViewLog = NewAction("ActionViewLog", QStringLiteral("View Log"), QStringLiteral("View Log"),
                            ThemeIcon("x-office-spreadsheet", SP::SP_FileDialogDetailedView),
                            &TFormMain::ActionViewLogExecute);
  ActionSaveLog = NewAction("ActionSaveLog", QStringLiteral("Save Log"), QString(),
                            ThemeIcon("document-save", SP::SP_DialogSaveButton), &TFormMain::ActionSaveLogExecute);
  ActionSaveLog->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  ActionClearLog = NewAction("ActionClearLog", QStringLiteral("Clear Log"), QString(),
                             ThemeIcon("edit-clear-all", SP::SP_DialogResetButton), &TFormMain::ActionClearLogExecute);
  ActionToggleMessages = NewAction("ActionToggleMessages", QStringLiteral("Toggle Messages"),
                                   QStringLiteral("Toggle Messages"), ThemeIcon("dialog-information", SP::SP_MessageBoxInformation),
                                   &TFormMain::ActionToggleMessagesExecute);
  ActionCopyMessages = NewAction("ActionCopyMessages", QStringLiteral("Copy Messages"), QString(),
                                 ThemeIcon("edit-copy", SP::SP_FileDialogDetailedView),
                                 &TFormMain::ActionCopyMessagesExecute);
  ActionClearMessages = NewAction("ActionClearMessages", QStringLiteral("Clear Messages"), QString(),
                                  ThemeIcon("edit-clear", SP::SP_LineEditClearButton),
                                  &TFormMain::ActionClearMessagesExecute);
  ActionSkip = NewAction("ActionSkip", QStringLiteral("Skip"), QStringLiteral("Skip current file"),
                         ThemeIcon("media-skip-forward", SP::SP_MediaSkipForward), &TFormMain::ActionSkipExecute);
  ActionCancel = NewAction("ActionCancel", QStringLiteral("Cancel"), QStringLiteral("Cancel all files"),
                           ThemeIcon("process-stop", SP::SP_BrowserStop), &TFormMain::ActionCancelExecute);
  ActionSelectAll = NewAction("ActionSelectAll", QStringLiteral("Select All"), QString(),
                              ThemeIcon("edit-select-all", SP::SP_DialogApplyButton),
                              &TFormMain::ActionSelectAllExecute);
  // Ctrl and the plus/equals key of the main block; both key codes that key may report.
  ActionSelectAll->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
  ActionSelectNone = NewAction("ActionSelectNone", QStringLiteral("Select None"), QString(),
                               ThemeIcon("list-remove", SP::SP_DialogDiscardButton),
                               &TFormMain::ActionSelectNoneExecute);
  ActionSelectNone->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  ActionCompareToNextFile = NewAction("ActionCompareToNextFile", QStringLiteral("Compare to next file (Hold SHIFT)"),
                                      QString(), QIcon(), &TFormMain::ActionCompareToNextFileExecute);
  ActionCompareToNextFile->setCheckable(true);
  ActionCompareNextTwoFiles = NewAction("ActionCompareNextTwoFiles",
                                        QStringLiteral("Compare next two files (Hold CTRL)"), QString(), QIcon(),
                                        &TFormMain::ActionCompareNextTwoFilesExecute);
  ActionCompareNextTwoFiles->setCheckable(true);
  ActionExportToClipboard = NewAction("ActionExportToClipboard", QStringLiteral("Export file info to clipboard"),
                                      QString(), ThemeIcon("edit-paste", SP::SP_FileDialogInfoView),
                                      &TFormMain::ActionExportToClipboardExecute);
  ActionExportToClipboard->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  ActionRehashFile = NewAction("ActionRehashFile", QString(), QStringLiteral("Rehash current file"),
                               ThemeIcon("view-refresh", SP::SP_BrowserReload), &TFormMain::ActionRehashFileExecute);
  ActionHelp = NewAction("ActionHelp", QStringLiteral("Help (online)"), QString(),
                         ThemeIcon("help-browser", SP::SP_DialogHelpButton), &TFormMain::ActionHelpExecute);
  ActionHelp->setShortcut(QKeySequence(Qt::Key_F1));
  ActionForum = NewAction("ActionForum", QStringLiteral("Forum (online)"), QString(),
                          ThemeIcon("web-browser", SP::SP_DriveNetIcon), &TFormMain::ActionForumExecute);
  ActionHistory = NewAction("ActionHistory", QStringLiteral("Version History"), QString(),
                            ThemeIcon("text-x-generic", SP::SP_FileIcon), &TFormMain::ActionHistoryExecute);
  ActionCopyrights = NewAction("ActionCopyrights", QStringLiteral("Copyrights"), QString(),
                               ThemeIcon("application-certificate", SP::SP_FileIcon),
                               &TFormMain::ActionCopyrightsExecute);
  ActionAbout = NewAction("ActionAbout", QStringLiteral("About"), QString(),
                          ThemeIcon("help-about", SP::SP_MessageBoxInformation), &TFormMain::ActionAboutExecute);
  ActionAbout->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
}

void TFormMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));
  auto newMenu = [this, bar](const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setToolTipsVisible(false);
    return menu;
  };
  MI_File = newMenu("MI_File", QStringLiteral("&File"));
  MI_File->addActions({ActionAddFiles, ActionAddFolder});
  MI_File->addSeparator();
  MI_File->addAction(ActionTextHash);
  MI_File->addSeparator();
  MI_File->addAction(ActionSettings);
  MI_File->addSeparator();
  MI_File->addAction(ActionExit);

  MI_Log = newMenu("MI_Log", QStringLiteral("&Log"));
  MI_Log->addActions({ActionViewLog, ActionSaveLog, ActionClearLog});
  MI_Log->addSeparator();
  MI_Log->addActions({ActionToggleMessages, ActionCopyMessages, ActionClearMessages});

  MI_Options = newMenu("MI_Options", QStringLiteral("&Options"));
  MI_Options->addActions({ActionSkip, ActionCancel});
  MI_Options->addSeparator();
  MI_Options->addActions({ActionSelectAll, ActionSelectNone});
  MI_Options->addSeparator();
  MI_Options->addActions({ActionCompareToNextFile, ActionCompareNextTwoFiles});
  MI_Options->addSeparator();
  MI_Options->addAction(ActionExportToClipboard);

  MI_Language = newMenu("MI_Language", QStringLiteral("L&anguage"));

  MI_Help = newMenu("MI_Help", QStringLiteral("&Help"));
  MI_Help->addActions({ActionHelp, ActionForum});
  MI_Help->addSeparator();
  MI_Help->addActions({ActionHistory, ActionCopyrights, ActionAbout});

  PopupMenu_HashTypes = new QMenu(this);
  PopupMenu_HashTypes->setObjectName(QStringLiteral("PopupMenu_HashTypes"));
  PopupMenu_HashTypes->addActions({ActionSelectAll, ActionSelectNone});
  PopupMenu_Messages = new QMenu(this);
  PopupMenu_Messages->setObjectName(QStringLiteral("PopupMenu_Messages"));
  PopupMenu_Messages->addActions({ActionCopyMessages, ActionClearMessages});
}

void TFormMain::BuildToolBar() {
  MainToolBar = addToolBar(QStringLiteral("Tool bar"));
  MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
  MainToolBar->setMovable(false);
  MainToolBar->setFloatable(false);
  MainToolBar->setIconSize(QSize(32, 32));
  MainToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
  MainToolBar->addActions({ActionAddFiles, ActionAddFolder, ActionTextHash});
  MainToolBar->addSeparator();
  MainToolBar->addActions({ActionViewLog, ActionSaveLog});
  MainToolBar->addSeparator();
  MainToolBar->addActions({ActionSkip, ActionCancel});
  // The Save Log button carries a hint of its own; the command has none.
  SaveLogButton_ = MainToolBar->widgetForAction(ActionSaveLog);
  if (SaveLogButton_ != nullptr) {
    SaveLogButton_->setObjectName(QStringLiteral("TB_SaveLog"));
  }
  for (QAction* action : MainToolBar->actions()) {
    if (QWidget* w = MainToolBar->widgetForAction(action)) w->setMinimumSize(40, 38);
  }
}

void TFormMain::BuildBody() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* body = new QWidget(central);
  body->setObjectName(QStringLiteral("Panel_Body"));
  body->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* bodyLayout = new QVBoxLayout(body);
  bodyLayout->setContentsMargins(8, 6, 8, 6);
  bodyLayout->setSpacing(4);
  layout->addWidget(body);

  // File box and rehash button.
  auto* fileRow = new QHBoxLayout();
  fileRow->setSpacing(2);
  EditFile = NewEdit(body, QStringLiteral("EditFile"), false);
  EditFile->setFont(PixelFont(font(), 13));
  SB_Rehash = NewFlatButton(body, QStringLiteral("SB_Rehash"), ActionRehashFile->icon(), QString());
  SB_Rehash->setDefaultAction(ActionRehashFile);
  fileRow->addWidget(EditFile, 1);
  fileRow->addWidget(SB_Rehash);
  bodyLayout->addLayout(fileRow);

  // File panel: two columns of label and read-only box.
  GroupBoxFileInfo = new QFrame(body);
  GroupBoxFileInfo->setObjectName(QStringLiteral("GroupBoxFileInfo"));
  GroupBoxFileInfo->setFrameShape(QFrame::StyledPanel);
  GroupBoxFileInfo->setFrameShadow(QFrame::Sunken);
  GroupBoxFileInfo->setMinimumHeight(80);
  auto* grid = new QGridLayout(GroupBoxFileInfo);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);
  auto newLabel = [this](const char* name, const char* caption, QLineEdit* buddy) {
    auto* label = new QLabel(QString::fromLatin1(caption), GroupBoxFileInfo);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
  };
  EditFileSize = NewEdit(GroupBoxFileInfo, QStringLiteral("EditFileSize"), true);
  EditAttributes = NewEdit(GroupBoxFileInfo, QStringLiteral("EditAttributes"), true);
  EditFileTimeCreated = NewEdit(GroupBoxFileInfo, QStringLiteral("EditFileTimeCreated"), true);
  EditFileTimeModified = NewEdit(GroupBoxFileInfo, QStringLiteral("EditFileTimeModified"), true);
  LabelFileSize = newLabel("LabelFileSize", "File size:", EditFileSize);
  LabelAttributes = newLabel("LabelAttributes", "Attributes:", EditAttributes);
  LabelFileTimeCreated = newLabel("LabelFileTimeCreated", "Created:", EditFileTimeCreated);
  LabelFileTimeModified = newLabel("LabelFileTimeModified", "Modified:", EditFileTimeModified);
  grid->addWidget(LabelFileSize, 0, 0);
  grid->addWidget(EditFileSize, 0, 1);
  grid->addWidget(LabelAttributes, 1, 0);
  grid->addWidget(EditAttributes, 1, 1);
  grid->addWidget(LabelFileTimeCreated, 0, 3);
  grid->addWidget(EditFileTimeCreated, 0, 4);
  grid->addWidget(LabelFileTimeModified, 1, 3);
  grid->addWidget(EditFileTimeModified, 1, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnMinimumWidth(2, 12);
  grid->setColumnStretch(4, 1);
  const int timeWidth = EditFileTimeCreated->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 14;
  EditFileTimeCreated->setMinimumWidth(timeWidth);
  EditFileTimeModified->setMinimumWidth(timeWidth);
  EditFileSize->setMinimumWidth(EditFileSize->fontMetrics().horizontalAdvance(QStringLiteral("0,000.00 MB")) + 14);
  EditAttributes->setMinimumWidth(EditAttributes->fontMetrics().horizontalAdvance(QStringLiteral("RHSVDAL")) + 14);
  for (QLineEdit* e : {EditFileSize, EditAttributes, EditFileTimeCreated, EditFileTimeModified}) {
    e->setFocusPolicy(Qt::ClickFocus);
  }
  bodyLayout->addWidget(GroupBoxFileInfo);

  // The ten hash-type rows.
  auto* rows = new QGridLayout();
  rows->setHorizontalSpacing(2);
  rows->setVerticalSpacing(0);
  rows->setColumnStretch(2, 1);
  const QFont digestFont = DigestFont();
  const QFont tickFont = PixelFont(font(), 15);
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    const QString suffix = QString::fromLatin1(RowSuffix(t));
    THashRow& row = Rows[static_cast<size_t>(t)];
    row.SelectButton = NewFlatButton(body, QStringLiteral("SB_Select") + suffix,
                                     ThemeIcon("go-next", QStyle::SP_ArrowRight), QString());
    row.SelectButton->setFixedSize(16, RowHeight - 2);
    row.SelectButton->setIconSize(QSize(12, 12));
    row.CheckBox = new QCheckBox(suffix, body);
    row.CheckBox->setObjectName(QStringLiteral("CheckBox") + suffix);
    row.CheckBox->setFont(tickFont);
    row.CheckBox->setChecked(true);
    row.CheckBox->setContextMenuPolicy(Qt::CustomContextMenu);
    row.CheckBox->setMinimumWidth(QFontMetrics(tickFont).horizontalAdvance(QStringLiteral("SHA256")) + 28);
    row.DigestEdit = NewEdit(body, QStringLiteral("Edit") + suffix, true);
    row.DigestEdit->setFont(digestFont);
    row.DigestEdit->setFixedHeight(RowHeight - 2);
    // Room for a 40-digit digest (SHA1, RipeMD160); longer ones scroll.
    row.DigestEdit->setMinimumWidth(QFontMetrics(digestFont).horizontalAdvance(QString(40, QLatin1Char('0'))) + 10);
    row.CopyButton = NewFlatButton(body, QStringLiteral("SB_Copy") + suffix,
                                   ThemeIcon("edit-copy", QStyle::SP_FileDialogDetailedView),
                                   QStringLiteral("Copy to clipboard"));
    row.CompareButton = NewFlatButton(body, QStringLiteral("SB_Compare") + suffix,
                                      ThemeIcon("edit-find", QStyle::SP_FileDialogContentsView),
                                      QStringLiteral("Compare hash"));
    for (QToolButton* b : {row.CopyButton, row.CompareButton}) b->setFixedSize(RowHeight, RowHeight - 2);
    const int r = t - FirstHashType;
    rows->setRowMinimumHeight(r, RowHeight);
    rows->addWidget(row.SelectButton, r, 0);
    rows->addWidget(row.CheckBox, r, 1);
    rows->addWidget(row.DigestEdit, r, 2);
    rows->addWidget(row.CopyButton, r, 3);
    rows->addWidget(row.CompareButton, r, 4);
    connect(row.CheckBox, &QCheckBox::toggled, this, &TFormMain::HandleHashTypeChange);
    connect(row.SelectButton, &QToolButton::clicked, this, &TFormMain::HandleHashSelectClick);
    connect(row.CopyButton, &QToolButton::clicked, this, &TFormMain::HandleHashCopyClick);
    connect(row.CompareButton, &QToolButton::clicked, this, &TFormMain::HandleHashCompareClick);
    connect(row.CheckBox, &QWidget::customContextMenuRequested, this,
            [this, box = row.CheckBox](const QPoint& p) { PopupMenu_HashTypes->popup(box->mapToGlobal(p)); });
  }
  bodyLayout->addLayout(rows);

  ProgressBar = new QProgressBar(body);
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  ProgressBar->setTextVisible(false);
  ProgressBar->setFixedHeight(20);
  bodyLayout->addSpacing(2);
  bodyLayout->addWidget(ProgressBar);

  // Messages: whatever height the window leaves between the progress bar and the status bar.
  Panel_Messages = new QWidget(central);
  Panel_Messages->setObjectName(QStringLiteral("Panel_Messages"));
  Panel_Messages->setMinimumHeight(0);
  Panel_Messages->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  auto* messagesLayout = new QVBoxLayout(Panel_Messages);
  messagesLayout->setContentsMargins(0, 0, 0, 0);
  messagesLayout->setSpacing(0);
  Bevel_Border = new QFrame(Panel_Messages);
  Bevel_Border->setObjectName(QStringLiteral("Bevel_Border"));
  Bevel_Border->setFrameShape(QFrame::HLine);
  Bevel_Border->setFrameShadow(QFrame::Sunken);
  messagesLayout->addWidget(Bevel_Border);
  Messages = new TMessageListModel(this);
  ListBox_Messages = new QListView(Panel_Messages);
  ListBox_Messages->setObjectName(QStringLiteral("ListBox_Messages"));
  ListBox_Messages->setModel(Messages);
  ListBox_Messages->setItemDelegate(new TMessageItemDelegate(ListBox_Messages));
  ListBox_Messages->setFrameShape(QFrame::NoFrame);
  ListBox_Messages->setUniformItemSizes(true);
  ListBox_Messages->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox_Messages->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox_Messages->setMinimumHeight(0);
  ListBox_Messages->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  ListBox_Messages->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox_Messages, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { PopupMenu_Messages->popup(ListBox_Messages->viewport()->mapToGlobal(p)); });
  messagesLayout->addWidget(ListBox_Messages, 1);
  layout->addWidget(Panel_Messages, 1);

  BuildStatusBar();
  layout->addWidget(StatusBar);

  // Start hints: laid over the file box and the file panel until the first path is added.
  StartHints_ = new QWidget(central);
  StartHints_->setObjectName(QStringLiteral("Panel_StartHints"));
  StartHints_->setAutoFillBackground(true);
  QPalette hintPalette = StartHints_->palette();
  hintPalette.setColor(QPalette::Window, hintPalette.color(QPalette::Base));
  hintPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
  StartHints_->setPalette(hintPalette);
  auto* hintsLayout = new QVBoxLayout(StartHints_);
  hintsLayout->setContentsMargins(0, 0, 0, 0);
  hintsLayout->setSpacing(0);
  auto newHint = [this](const char* name, const char* caption, int pixels, int height) {
    auto* panel = new QFrame(StartHints_);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedHeight(height);
    auto* l = new QHBoxLayout(panel);
    l->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QString::fromLatin1(caption), panel);
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Caption"));
    label->setAlignment(Qt::AlignCenter);
    label->setFont(PixelFont(font(), pixels, pixels > 15));
    l->addWidget(label);
    return panel;
  };
  Panel_DragAndDrop = newHint("Panel_DragAndDrop", "Drag and drop your files and folders", 19, 32);
  Panel_HoldControl =
      newHint("Panel_HoldControl", "Hold SHIFT to compare to next or CTRL to compare two files", 13, 16);
  hintsLayout->addStretch(1);
  hintsLayout->addWidget(Panel_DragAndDrop);
  hintsLayout->addWidget(Panel_HoldControl);
  hintsLayout->addStretch(1);
  StartHints_->raise();
}

void TFormMain::PlaceStartHints() {
  if (StartHints_ == nullptr || !StartHints_->isVisible()) return;
  const QPoint top = EditFile->mapTo(centralWidget(), QPoint(0, 0));
  const QPoint bottom = GroupBoxFileInfo->mapTo(centralWidget(), QPoint(0, GroupBoxFileInfo->height()));
  StartHints_->setGeometry(0, top.y() - 4, centralWidget()->width(), bottom.y() - top.y() + 8);
}

void TFormMain::BuildStatusBar() {
  StatusBar = new TStatusBar(centralWidget());
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->SetPanels({{30, Qt::AlignCenter, true},
                        {30, Qt::AlignCenter, true},
                        {70, Qt::AlignCenter, false},
                        {100, Qt::AlignCenter, false},
                        {50, Qt::AlignCenter, false},
                        {-1, Qt::AlignLeft, false}});
  StatusBar->OnDrawPanel = [this](QPainter& painter, int panel, const QRect& rect) {
    StatusBarDrawPanel(painter, panel, rect);
  };
  connect(StatusBar, &TStatusBar::PanelClicked, this, &TFormMain::StatusBarClick);
  connect(StatusBar, &TStatusBar::MouseMoved, this, &TFormMain::StatusBarMouseMove);
}

void TFormMain::BuildRows() {
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    THashRow& row = Rows[static_cast<size_t>(t)];
    const QString suffix = QStringLiteral(" (") + HashTypeToName(t) + QLatin1Char(')');
    row.CopyButton->setStatusTip(row.CopyButton->statusTip() + suffix);
    row.CompareButton->setStatusTip(row.CompareButton->statusTip() + suffix);
  }
}
