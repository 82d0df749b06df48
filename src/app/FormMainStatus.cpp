// The messages list, the status bar, progress and speed of the main window.
#include <QApplication>
#include <QDateTime>
#include <QLayout>
#include <QListView>
#include <QPainter>
#include <QProgressBar>
#include <cmath>

#include "app/FormMain.h"
#include "app/Icons.h"
#include "app/StatusBar.h"
#include "app/WidgetHelpers.h"
#include "util/TextFormat.h"
#include "worker/DigrexThread.h"
#include "worker/FileQueue.h"

namespace {

constexpr int PanelBusy = 0;
constexpr int PanelMessages = 1;
constexpr int PanelCount = 2;
constexpr int PanelSpeed = 3;
constexpr int PanelPercent = 4;
constexpr int PanelText = 5;
constexpr int PanelIconSize = 16;

// "[14:03:09] " with the locale's time separator.
QString TimeStamp() {
  const QTime now = QTime::currentTime();
  const QString separator = TimeSeparator();
  return QLatin1Char('[') + now.toString(QStringLiteral("HH")) + separator + now.toString(QStringLiteral("mm")) +
         separator + now.toString(QStringLiteral("ss")) + QStringLiteral("] ");
}

const QIcon& PanelIcon(int which) {
  static const QIcon icons[] = {
      ThemeIcon("user-available", QStyle::SP_MediaPause),          // idle: ready
      ThemeIcon("system-run", QStyle::SP_MediaPlay),               // busy
      ThemeIcon("emblem-default", QStyle::SP_DialogApplyButton),   // no problem
      ThemeIcon("dialog-warning", QStyle::SP_MessageBoxWarning),   // warning
      ThemeIcon("dialog-error", QStyle::SP_MessageBoxCritical),    // error
  };
  return icons[which];
}

}  // namespace

void TFormMain::AddMessage(TMessageKind kind, const QString& text) {
  if (kind == mkError) {
    ++ErrorCount;
  } else if (kind == mkWarning) {
    ++WarningCount;
  }
  Messages->Append(TimeStamp() + text, kind);
  RefreshStatusBar();
  ShowMessages(true, false);
}

void TFormMain::AddMessageDetail(const QString& text) {
  Messages->Append(text, mkDetail);
  ShowMessages(true, false);
}

void TFormMain::ClearMessages() {
  Messages->Clear();
  WarningCount = 0;
  ErrorCount = 0;
  RefreshStatusBar();
  ShowMessages(false, false);
}

TMessageKind TFormMain::MessageSeverity() const {
  if (ErrorCount > 0) return mkError;
  if (WarningCount > 0) return mkWarning;
  return mkDetail;
}

QString TFormMain::MessagesText() const {
  QString text;
  for (int i = 0; i < Messages->Count(); ++i) {
    text += Messages->Text(i);
    text += QStringLiteral("\r\n");
  }
  return text;
}

bool TFormMain::MessagesVisible() const { return Panel_Messages->height() > 10; }

int TFormMain::CollapsedClientHeight() const {
  // Everything above the messages area keeps its height; the area takes the rest.
  if (QLayout* l = centralWidget()->layout()) l->activate();
  if (layout() != nullptr) layout()->activate();
  return height() - Panel_Messages->height();
}

void TFormMain::ShowMessages(bool show, bool force) {
  const bool open = MessagesVisible();
  if (!force) {
    if (open == show) return;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
  }
  int h = CollapsedClientHeight();
  if (show && !open) h += 80;
  resize(width(), h);
  // Apply the new height to the layout at once, so the next question about it is answered right.
  if (layout() != nullptr) layout()->activate();
}

void TFormMain::SetStatusText(const QString& text) { StatusBar->SetPanelText(PanelText, text); }

void TFormMain::SetSpeed(int64_t bytesPerSecond) {
  StatusBar->SetPanelText(PanelSpeed,
                          bytesPerSecond > 0 ? FormatSpeed(static_cast<double>(bytesPerSecond)) : QString());
}

void TFormMain::SetProgress(int percentage) {
  // Only the latest value reaches the bar, a few dozen times a second at most.
  const int shown = percentage >= 0 ? qMin(percentage, 100) : -1;
  if (shown != ShownProgress_) {
    ShownProgress_ = shown;
    StatusBar->SetPanelText(PanelPercent, shown >= 0 ? QString::number(shown) + QLatin1Char('%') : QString());
    Pending_.Progress = shown;
    ScheduleDisplayFlush();
  }
}

void TFormMain::UpdateFileCount() {
  const int n = FileLog.Count();
  const int q = SharedFileQueue.Count();
  QString text;
  if (n != 0 || q != 0) {
    text = FormatThousands(QLatin1Char(','), n);
    if (q > 0) text += QStringLiteral(" (") + FormatThousands(QLatin1Char(','), q) + QLatin1Char(')');
  }
  StatusBar->SetPanelText(PanelCount, text);
}

void TFormMain::RefreshStatusBar() {
  StatusBar->RepaintPanel(PanelBusy);
  StatusBar->RepaintPanel(PanelMessages);
}

void TFormMain::StatusBarDrawPanel(QPainter& painter, int panel, const QRect& rect) {
  int which;
  if (panel == PanelBusy) {
    which = WorkerBusy() ? 1 : 0;
  } else if (panel == PanelMessages) {
    const TMessageKind severity = MessageSeverity();
    which = severity == mkError ? 4 : severity == mkWarning ? 3 : 2;
  } else {
    return;
  }
  QRect box = SizedRect(PanelIconSize, PanelIconSize);
  CenterInRect(box, rect);
  painter.drawPixmap(box.topLeft(), PanelIcon(which).pixmap(QSize(PanelIconSize, PanelIconSize), devicePixelRatioF(),
                                                             QIcon::Normal));
}

void TFormMain::StatusBarClick() {
  const int panel = StatusPanelAtCursor(StatusBar);
  if (panel == PanelBusy || panel == PanelCount) {
    RunAction(ActionViewLog);
  } else if (panel == PanelMessages) {
    RunAction(ActionToggleMessages);
  }
}

void TFormMain::StatusBarMouseMove(int x, int y) {
  const int panel = StatusPanelAt(StatusBar, x, y);
  if (panel == PanelBusy || panel == PanelMessages || panel == PanelCount) {
    StatusBar->setCursor(Qt::PointingHandCursor);
    SetApplicationHint(panel == PanelMessages ? ActionToggleMessages->statusTip() : ActionViewLog->statusTip());
  } else {
    StatusBar->setCursor(Qt::ArrowCursor);
    SetApplicationHint(QString());
  }
}

void TFormMain::TimerSpeedTimer() {
  if (!Worker) return;
  const TDateTime now = FileTimeToLocalDateTime(QDateTime::currentDateTime());
  const int64_t total = Worker->BytesProcessed.load();
  const double seconds = std::fabs(now - LastSpeedTime) * 86400.0;
  const double speed = seconds > 0 ? static_cast<double>(total - LastSpeedBytes) / seconds : 0.0;
  SetSpeed(static_cast<int64_t>(std::nearbyint(speed)));
  LastSpeedBytes = total;
  LastSpeedTime = now;
}

bool TFormMain::WorkerBusy() const { return Worker && Worker->Busy.load(); }
