#include "app/MessageList.h"

#include <QPainter>
#include <QStyle>
#include <QTextOption>

int TMessageListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Entries_.size());
}

QVariant TMessageListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Count()) return {};
  const TEntry& e = Entries_[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) return e.Text;
  if (role == KindRole) return static_cast<int>(e.Kind);
  return {};
}

void TMessageListModel::Append(const QString& text, TMessageKind kind) {
  const int row = Count();
  beginInsertRows(QModelIndex(), row, row);
  Entries_.push_back({text, kind});
  endInsertRows();
}

void TMessageListModel::Clear() {
  if (Entries_.empty()) return;
  beginResetModel();
  Entries_.clear();
  endResetModel();
}

QColor TMessageItemDelegate::BackgroundColor(TMessageKind kind, const QPalette& palette) {
  switch (kind) {
    case mkWarning:
      return QColor(255, 223, 102);
    case mkError:
      return QColor(255, 154, 154);
    default:
      return palette.color(QPalette::Base);
  }
}

void TMessageItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const auto kind = static_cast<TMessageKind>(index.data(TMessageListModel::KindRole).toInt());
  painter->save();
  painter->fillRect(option.rect, BackgroundColor(kind, option.palette));
  painter->setPen(option.palette.color(QPalette::WindowText));
  painter->setFont(option.font);
  QString text = index.data(Qt::DisplayRole).toString();
  text.replace(u'\n', u' ');
  // A detail line is often a path: its own letters order it, not the window's direction,
  // so a right-to-left window does not move its leading "/" to the end.
  QTextOption textOption(QStyle::visualAlignment(option.direction, Qt::AlignLeft | Qt::AlignTop));
  textOption.setTextDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
  textOption.setWrapMode(QTextOption::NoWrap);
  painter->drawText(QRectF(option.rect), text, textOption);
  painter->restore();
}

QSize TMessageItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()), option.fontMetrics.height()};
}
