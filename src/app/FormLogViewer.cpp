#include "app/FormLogViewer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <algorithm>
#include <QScreen>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FormLocationWidget.h"
#include "app/FormTranslation.h"
#include "app/Icons.h"
#include "i18n/Translator.h"
#include "settings/FormLocation.h"

namespace {
// Every cell holds left-to-right text (paths, sizes, times, digests): laid out as such
// in a right-to-left window too, so that "/tmp/a" does not read "tmp/a/" and a long
// digest loses its end, not its start.
class TLeftToRightCells : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->direction = Qt::LeftToRight;
  }
};
}  // namespace

TFormLogViewer::TFormLogViewer(TFormLocation& location, QWidget* parent)
    : QWidget(parent, Qt::Window), Location_(location) {
  BuildControls();
  TranslateForm(this);
  FormCreate();
}

void TFormLogViewer::BuildControls() {
  setObjectName(QStringLiteral("FormLogViewer"));
  setWindowTitle(QStringLiteral("Log Viewer"));
  resize(640, 360);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  ToolBar = new QToolBar(this);
  ToolBar->setObjectName(QStringLiteral("ToolBar"));
  ToolBar->setIconSize(QSize(16, 16));
  ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  layout->addWidget(ToolBar);

  auto newButton = [this](const char* name) {
    auto* button = new QToolButton(ToolBar);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    ToolBar->addWidget(button);
    return button;
  };
  TB_SaveToFile = newButton("TB_SaveToFile");
  TB_ClearLog = newButton("TB_ClearLog");
  TB_CopyToClipboard = newButton("TB_CopyToClipboard");
  TB_CopyToClipboard->setText(QStringLiteral("Copy to clipboard"));
  TB_CopyToClipboard->setIcon(ThemeIcon("edit-copy", QStyle::SP_FileDialogDetailedView));
  connect(TB_CopyToClipboard, &QToolButton::clicked, this, &TFormLogViewer::TB_CopyToClipboardClick);

  Model = new TLogTableModel(this);
  ListView = new QTableView(this);
  ListView->setObjectName(QStringLiteral("ListView"));
  ListView->setModel(Model);
  ListView->setItemDelegate(new TLeftToRightCells(ListView));
  ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListView->setShowGrid(false);
  ListView->setWordWrap(false);
  ListView->setTextElideMode(Qt::ElideRight);
  ListView->verticalHeader()->setVisible(false);
  // Fixed row heights keep scrolling and appending independent of the row count.
  ListView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ListView->verticalHeader()->setDefaultSectionSize(ListView->fontMetrics().height() + 4);
  ListView->horizontalHeader()->setHighlightSections(false);
  ListView->horizontalHeader()->setStretchLastSection(false);
  ListView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ListView->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ListView->installEventFilter(this);
  layout->addWidget(ListView, 1);

  // Columns are translated as the collection items they are.
  for (int c = TLogTableModel::ColumnNumber; c <= TLogTableModel::ColumnSize; ++c) {
    const QString key = FormTextKey({QStringLiteral("TFormLogViewer"), QStringLiteral("ListView"),
                                     QStringLiteral("Columns[%1]").arg(c), QStringLiteral("Caption")});
    Model->setHeaderData(c, Qt::Horizontal, TranslateFormText(key, Model->headerData(c, Qt::Horizontal,
                                                                                      Qt::DisplayRole).toString()),
                         Qt::DisplayRole);
  }
  ListView->setColumnWidth(TLogTableModel::ColumnNumber, 30);
  ListView->setColumnWidth(TLogTableModel::ColumnFile, 200);
  ListView->setColumnWidth(TLogTableModel::ColumnSize, 80);
}

void TFormLogViewer::FormCreate() {
  DigestColumns[htNone] = -1;
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    DigestColumns[static_cast<size_t>(t)] = TLogTableModel::DigestColumn(t);
    ListView->setColumnWidth(DigestColumns[static_cast<size_t>(t)], 80);
    ListView->setColumnHidden(DigestColumns[static_cast<size_t>(t)], true);
  }
}

void TFormLogViewer::SetCommands(QAction* saveLog, QAction* clearLog) {
  if (saveLog != nullptr) TB_SaveToFile->setDefaultAction(saveLog);
  if (clearLog != nullptr) TB_ClearLog->setDefaultAction(clearLog);
}

void TFormLogViewer::AddFile(const THashFilePtr& record) { Model->AddFile(record); }

void TFormLogViewer::UpdateFile(const THashFile& record) {
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    const int column = DigestColumns[static_cast<size_t>(t)];
    if (record.Hashes.HasHash(t) && ListView->isColumnHidden(column)) ListView->setColumnHidden(column, false);
  }
  Model->UpdateFile(&record);
}

void TFormLogViewer::ClearRows() { Model->ClearRows(); }

bool TFormLogViewer::DigestColumnVisible(int type) const {
  return type >= FirstHashType && type <= LastHashType && !ListView->isColumnHidden(DigestColumns[static_cast<size_t>(type)]);
}

QString TFormLogViewer::RowText(int row) const {
  QStringList cells;
  for (int c = 0; c < TLogTableModel::ColumnCount; ++c) {
    if (!ListView->isColumnHidden(c)) cells << Model->CellText(row, c);
  }
  return cells.join(QLatin1Char('\t'));
}

QString TFormLogViewer::RowsAsText() {
  Flush();
  QList<int> rows;
  const QModelIndexList selected = ListView->selectionModel()->selectedRows();
  for (const QModelIndex& index : selected) rows << index.row();
  if (rows.isEmpty()) {
    for (int r = 0; r < Model->rowCount(); ++r) rows << r;
  }
  std::sort(rows.begin(), rows.end());
  QString text;
  for (int row : rows) {
    text += RowText(row);
    text += QStringLiteral("\r\n");
  }
  return text;
}

void TFormLogViewer::TB_CopyToClipboardClick() { QApplication::clipboard()->setText(RowsAsText()); }

void TFormLogViewer::FormShow() {
  Flush();
  if (RestoreFormLocation(Location_, this)) {
    Placed_ = true;
    return;
  }
  if (Placed_) return;
  Placed_ = true;
  // First showing without a remembered place: centred on the main window.
  const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  const QRect area = owner != nullptr && owner->isVisible() ? owner->frameGeometry()
                                                            : (screen() != nullptr ? screen()->availableGeometry()
                                                                                   : QRect());
  if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void TFormLogViewer::FormDeactivate() { CaptureFormLocation(Location_, this); }

void TFormLogViewer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormLogViewer::hideEvent(QHideEvent* event) {
  if (!event->spontaneous() && isActiveWindow()) FormDeactivate();
  QWidget::hideEvent(event);
}

void TFormLogViewer::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) FormDeactivate();
  QWidget::changeEvent(event);
}

bool TFormLogViewer::eventFilter(QObject* watched, QEvent* event) {
  // ListViewKeyUp: Ctrl+A selects every row.
  if (watched == ListView && event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_A && key->modifiers().testFlag(Qt::ControlModifier)) {
      Flush();
      ListView->selectAll();
    }
  }
  return QWidget::eventFilter(watched, event);
}
