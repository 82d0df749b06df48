#include "cli/ProgressLine.h"

#include "util/TextFormat.h"

TProgressLine::TProgressLine(FILE* stream, bool enabled, int64_t showAfterMs)
    : Stream_(stream), Enabled_(enabled), ShowAfterMs_(showAfterMs) {
  if (Enabled_) Clock_.start();
}

TProgressLine::~TProgressLine() { Clear(); }

void TProgressLine::FileStarted(const QString& name) {
  if (!Enabled_) return;
  FinishedBytes_ += CurrentBytes_;
  CurrentBytes_ = 0;
  Name_ = name;
}

void TProgressLine::Advance(uint64_t done, uint64_t total) {
  if (!Enabled_) return;
  CurrentBytes_ = done;
  const int64_t now = Clock_.elapsed();
  if (now < ShowAfterMs_ || now - LastDrawMs_ < RedrawEveryMs) return;
  LastDrawMs_ = now;
  Draw(done, total);
}

void TProgressLine::Draw(uint64_t done, uint64_t total) {
  const double seconds = double(Clock_.elapsed()) / 1000.0;
  const QString speed = FormatSpeed(seconds > 0 ? double(FinishedBytes_ + CurrentBytes_) / seconds : 0);
  QString name = Name_;
  name.replace(u'\n', u' ').replace(u'\r', u' ');
  constexpr qsizetype MaxName = 50;
  if (name.size() > MaxName) name = QStringLiteral("...") + name.right(MaxName - 3);
  QString text = QStringLiteral("\r%1").arg(name);
  if (total > 0) text += QStringLiteral("  %1%").arg(done >= total ? 100 : int(done * 100 / total), 3);
  text += QStringLiteral("  %1\x1b[K").arg(speed);
  std::fputs(text.toUtf8().constData(), Stream_);
  std::fflush(Stream_);
  Visible_ = true;
}

void TProgressLine::Clear() {
  if (!Visible_) return;
  std::fputs("\r\x1b[K", Stream_);
  std::fflush(Stream_);
  Visible_ = false;
}
