#include "app/StatusBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  RepaintTimer_.setSingleShot(true);
  RepaintTimer_.setInterval(RepaintDelayMs);
  connect(&RepaintTimer_, &QTimer::timeout, this, [this] {
    for (int i = 0; i < PanelCount(); ++i) {
      if (Dirty_ & (1u << i)) update(PanelRect(i));
    }
    Dirty_ = 0;
  });
}

void TStatusBar::SetPanels(const QList<TPanel>& panels) {
  Panels_ = panels;
  Texts_ = QStringList();
  for (int i = 0; i < Panels_.size(); ++i) Texts_.append(QString());
  update();
}

QList<int> TStatusBar::PanelWidths() const {
  QList<int> widths;
  int used = 0;
  for (const TPanel& p : Panels_) {
    if (p.Width >= 0) used += p.Width;
  }
  for (const TPanel& p : Panels_) widths.append(p.Width >= 0 ? p.Width : qMax(0, width() - used));
  return widths;
}

QRect TStatusBar::PanelRect(int index) const {
  const QList<int> widths = PanelWidths();
  if (index < 0 || index >= widths.size()) return {};
  int left = 0;
  for (int i = 0; i < index; ++i) left += widths[i];
  return QRect(left, 0, widths[index], height());
}

QString TStatusBar::PanelText(int index) const {
  return index >= 0 && index < Texts_.size() ? Texts_[index] : QString();
}

void TStatusBar::SetPanelText(int index, const QString& text) {
  if (index < 0 || index >= Texts_.size() || Texts_[index] == text) return;
  Texts_[index] = text;
  RepaintPanel(index);
}

void TStatusBar::RepaintPanel(int index) {
  if (index < 0 || index >= 32) return;
  Dirty_ |= 1u << index;
  if (!RepaintTimer_.isActive()) RepaintTimer_.start();
}

QSize TStatusBar::sizeHint() const {
  int w = 0;
  for (const TPanel& p : Panels_) w += qMax(p.Width, 50);
  return {w, qMax(22, fontMetrics().height() + 8)};
}

QSize TStatusBar::minimumSizeHint() const { return {0, sizeHint().height()}; }

void TStatusBar::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QPalette& pal = palette();
  painter.fillRect(rect(), pal.window());
  painter.setPen(pal.color(QPalette::Mid));
  painter.drawLine(0, 0, width(), 0);
  for (int i = 0; i < Panels_.size(); ++i) {
    const QRect r = PanelRect(i);
    if (!r.intersects(event->rect())) continue;
    if (i + 1 < Panels_.size()) {
      painter.setPen(pal.color(QPalette::Mid));
      painter.drawLine(r.right(), 4, r.right(), r.bottom() - 3);
    }
    const QRect inner = r.adjusted(4, 1, -4, 0);
    if (Panels_[i].OwnerDraw) {
      if (OnDrawPanel) {
        painter.save();
        OnDrawPanel(painter, i, r.adjusted(0, 1, -1, 0));
        painter.restore();
      }
      continue;
    }
    painter.setPen(pal.color(QPalette::WindowText));
    const QString text = fontMetrics().elidedText(Texts_[i], Qt::ElideRight, inner.width());
    painter.drawText(inner, static_cast<int>(Panels_[i].Alignment | Qt::AlignVCenter), text);
  }
}

void TStatusBar::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseMoved(p.x(), p.y());
  QWidget::mouseMoveEvent(event);
}

void TStatusBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit PanelClicked();
  QWidget::mouseReleaseEvent(event);
}

void TStatusBar::leaveEvent(QEvent* event) {
  // Leaving the bar counts as a move outside every panel.
  emit MouseMoved(-1, -1);
  QWidget::leaveEvent(event);
}
