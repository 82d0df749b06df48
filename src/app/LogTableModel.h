#pragma once
// The rows of the log viewer: one per logged file. Rows are appended in
// batches (Flush), so that thousands of files a second cost one view update per
// batch instead of one per file.
#include <QAbstractTableModel>
#include <QTimer>
#include <vector>

#include "engine/HashFile.h"

class TLogTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int ColumnNumber = 0;
  static constexpr int ColumnFile = 1;
  static constexpr int ColumnSize = 2;
  static constexpr int FirstDigestColumn = 3;  // CRC32; type t is in column t + 2
  static constexpr int ColumnCount = FirstDigestColumn + 10;

  explicit TLogTableModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;

  // A new row for the record, numbered after the last; sets record->LogIndex.
  void AddFile(const THashFilePtr& record);
  // Shows the size and digests of the record's row from now on.
  void UpdateFile(const THashFile* record);
  void ClearRows();
  // Hands pending rows and changes to the views now.
  void Flush();

  // Rows including those not yet flushed.
  int TotalRows() const { return static_cast<int>(Rows_.size()); }
  QString CellText(int row, int column) const;
  static int DigestColumn(int type) { return type + FirstDigestColumn - 1; }

 private:
  struct TRow {
    THashFilePtr Record;
    bool Filled = false;
  };
  void ScheduleFlush();

  std::vector<TRow> Rows_;
  int Committed_ = 0;  // rows the views know about
  int DirtyFirst_ = -1, DirtyLast_ = -1;
  QStringList Captions_;
  QTimer FlushTimer_;
};
