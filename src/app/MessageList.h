#pragma once
// The entries of the main window's messages list and their drawing.
#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <vector>

enum TMessageKind : int { mkDetail = 0, mkWarning = 1, mkError = 2 };

class TMessageListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  static constexpr int KindRole = Qt::UserRole + 1;

  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void Append(const QString& text, TMessageKind kind);
  void Clear();
  int Count() const { return static_cast<int>(Entries_.size()); }
  const QString& Text(int row) const { return Entries_[static_cast<size_t>(row)].Text; }
  TMessageKind Kind(int row) const { return Entries_[static_cast<size_t>(row)].Kind; }

 private:
  struct TEntry {
    QString Text;
    TMessageKind Kind;
  };
  std::vector<TEntry> Entries_;
};

// Fills each entry with its kind's colour and draws its text at the top-left
// corner, without margin; selection and focus do not change the look.
class TMessageItemDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  static QColor BackgroundColor(TMessageKind kind, const QPalette& palette);
};
