#pragma once
// A status bar of fixed-width panels. Text panels are drawn by the bar itself;
// panels marked owner-drawn are painted by the OnDrawPanel callback. Setting a
// panel's text repaints only that panel, so frequent updates stay cheap.
#include <QList>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

class TStatusBar : public QWidget {
  Q_OBJECT
 public:
  struct TPanel {
    int Width;          // -1: the rest of the bar
    Qt::Alignment Alignment;
    bool OwnerDraw;
  };

  explicit TStatusBar(QWidget* parent = nullptr);

  void SetPanels(const QList<TPanel>& panels);
  int PanelCount() const { return static_cast<int>(Panels_.size()); }
  // Actual widths, the last "rest" panel included.
  QList<int> PanelWidths() const;
  QRect PanelRect(int index) const;

  QString PanelText(int index) const;
  // Takes effect on screen within RepaintDelayMs: texts that change thousands of
  // times a second are drawn a few dozen times.
  void SetPanelText(int index, const QString& text);
  void RepaintPanel(int index);
  static constexpr int RepaintDelayMs = 25;

  std::function<void(QPainter&, int, const QRect&)> OnDrawPanel;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void PanelClicked();
  void MouseMoved(int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QList<TPanel> Panels_;
  QStringList Texts_;
  uint32_t Dirty_ = 0;  // bit n: panel n needs drawing
  QTimer RepaintTimer_;
};
