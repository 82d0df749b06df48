#pragma once
// TFormLogViewer: a table of every file logged in this run, one row per record,
// filled as files start and finish, whether or not the window is open.
//
//   logViewer->SetCommands(mainWindow->ActionSaveLog, mainWindow->ActionClearLog);
//   on weFileStarted:  logViewer->AddFile(record);      // sets record->LogIndex
//   on weFileFinished: logViewer->UpdateFile(*record);
//   on Clear Log:      logViewer->ClearRows();
#include <QWidget>
#include <array>

#include "app/LogTableModel.h"
#include "engine/HashFile.h"
#include "engine/HashTypes.h"

class QAction;
class QTableView;
class QToolBar;
class QToolButton;
class TFormLocation;

class TFormLogViewer : public QWidget {
  Q_OBJECT
 public:
  // location: the remembered place of this window (the settings' LogViewer).
  explicit TFormLogViewer(TFormLocation& location, QWidget* parent = nullptr);

  // The main window's Save Log and Clear Log commands, shown by the first two tool buttons.
  void SetCommands(QAction* saveLog, QAction* clearLog);

  void AddFile(const THashFilePtr& record);
  void UpdateFile(const THashFile& record);
  void ClearRows();

  // The selected rows, or every row when none is selected, as TAB-separated visible
  // cells, each row ending in CR LF.
  QString RowsAsText();
  QString RowText(int row) const;
  // Hands rows that are still pending to the table now.
  void Flush() { Model->Flush(); }
  bool DigestColumnVisible(int type) const;

  TLogTableModel* Model = nullptr;
  QToolBar* ToolBar = nullptr;
  QToolButton* TB_SaveToFile = nullptr;
  QToolButton* TB_ClearLog = nullptr;
  QToolButton* TB_CopyToClipboard = nullptr;
  QTableView* ListView = nullptr;
  // The column of each hash type (index by THashType; entry 0 unused).
  std::array<int, HashTypeCount> DigestColumns{};

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void FormCreate();
  void FormShow();
  void FormDeactivate();
  void TB_CopyToClipboardClick();

  TFormLocation& Location_;
  bool Placed_ = false;
};
