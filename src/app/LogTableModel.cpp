#include "app/LogTableModel.h"

#include "engine/HashTypes.h"
#include "util/TextFormat.h"

namespace {
constexpr int FlushDelayMs = 40;
}

TLogTableModel::TLogTableModel(QObject* parent) : QAbstractTableModel(parent) {
  Captions_ << QStringLiteral("#") << QStringLiteral("File") << QStringLiteral("Size");
  for (int t = FirstHashType; t <= LastHashType; ++t) Captions_ << HashTypeToName(t);
  FlushTimer_.setSingleShot(true);
  FlushTimer_.setInterval(FlushDelayMs);
  connect(&FlushTimer_, &QTimer::timeout, this, &TLogTableModel::Flush);
}

int TLogTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Committed_; }

int TLogTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString TLogTableModel::CellText(int row, int column) const {
  if (row < 0 || row >= TotalRows()) return {};
  const TRow& r = Rows_[static_cast<size_t>(row)];
  switch (column) {
    case ColumnNumber:
      return QString::number(row + 1);
    case ColumnFile:
      return r.Record->FileName;
    case ColumnSize:
      return r.Filled && r.Record->Properties.Valid ? FormatThousands(QLatin1Char(','), r.Record->Properties.Size)
                                                    : QString();
    default:
      if (column < FirstDigestColumn || column >= ColumnCount || !r.Filled) return {};
      return r.Record->Hashes.GetHash(column - FirstDigestColumn + 1);
  }
}

QVariant TLogTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Committed_) return {};
  if (role == Qt::DisplayRole) return CellText(index.row(), index.column());
  if (role == Qt::TextAlignmentRole) {
    return index.column() == ColumnSize ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return {};
}

QVariant TLogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
  if (role == Qt::DisplayRole) return Captions_[section];
  if (role == Qt::TextAlignmentRole) {
    return section == ColumnSize ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                 : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return {};
}

bool TLogTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return false;
  Captions_[section] = value.toString();
  emit headerDataChanged(orientation, section, section);
  return true;
}

Qt::ItemFlags TLogTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TLogTableModel::AddFile(const THashFilePtr& record) {
  record->LogIndex = TotalRows();
  Rows_.push_back({record, false});
  ScheduleFlush();
}

void TLogTableModel::UpdateFile(const THashFile* record) {
  const int row = record->LogIndex;
  if (row < 0 || row >= TotalRows() || Rows_[static_cast<size_t>(row)].Record.get() != record) return;
  Rows_[static_cast<size_t>(row)].Filled = true;
  if (row < Committed_) {
    DirtyFirst_ = DirtyFirst_ < 0 ? row : qMin(DirtyFirst_, row);
    DirtyLast_ = qMax(DirtyLast_, row);
    ScheduleFlush();
  }
}

void TLogTableModel::ClearRows() {
  FlushTimer_.stop();
  beginResetModel();
  Rows_.clear();
  Committed_ = 0;
  DirtyFirst_ = DirtyLast_ = -1;
  endResetModel();
}

void TLogTableModel::Flush() {
  FlushTimer_.stop();
  if (DirtyFirst_ >= 0) {
    emit dataChanged(index(DirtyFirst_, 0), index(DirtyLast_, ColumnCount - 1));
    DirtyFirst_ = DirtyLast_ = -1;
  }
  const int total = TotalRows();
  if (total > Committed_) {
    beginInsertRows(QModelIndex(), Committed_, total - 1);
    Committed_ = total;
    endInsertRows();
  }
}

void TLogTableModel::ScheduleFlush() {
  if (!FlushTimer_.isActive()) FlushTimer_.start();
}
