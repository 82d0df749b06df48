#include "settings/FormLocation.h"

#include <algorithm>
#include <limits>

bool ParseInt32(const QString& text, int32_t& value) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  if (i >= text.size()) return false;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c < u'0' || c > u'9') return false;
    magnitude = magnitude * 10 + (c.unicode() - u'0');
    if (magnitude > int64_t(std::numeric_limits<int32_t>::max()) + 1) return false;
  }
  const int64_t result = negative ? -magnitude : magnitude;
  if (result > std::numeric_limits<int32_t>::max()) return false;
  value = int32_t(result);
  return true;
}

void TFormLocation::Reset() {
  Left = Top = Width = Height = 0;
  Remember = false;
  Valid = false;
}

QString TFormLocation::AsText() const {
  QString text = Remember ? QStringLiteral("1") : QStringLiteral("0");
  if (Valid)
    for (int32_t v : {Left, Top, Width, Height}) text += Separator + QString::number(v);
  return text;
}

void TFormLocation::FromText(const QString& text) {
  Reset();
  if (text.isEmpty()) return;
  const qsizetype p1 = text.indexOf(Separator);
  Remember = (p1 < 0 ? text : text.left(p1)) == u"1";
  if (p1 < 0) return;
  const qsizetype step = Separator.size();
  const qsizetype p2 = text.indexOf(Separator, p1 + step);
  if (p2 < 0) return;
  const qsizetype p3 = text.indexOf(Separator, p2 + step);
  if (p3 < 0) return;
  const qsizetype p4 = text.indexOf(Separator, p3 + step);
  if (p4 < 0) return;
  const QString values[4] = {text.mid(p1 + step, p2 - p1 - step), text.mid(p2 + step, p3 - p2 - step),
                             text.mid(p3 + step, p4 - p3 - step), text.mid(p4 + step)};
  int32_t* fields[4] = {&Left, &Top, &Width, &Height};
  for (int i = 0; i < 4; ++i)
    if (!ParseInt32(values[i], *fields[i])) return;
  Valid = true;
}

void TFormLocation::Capture(const QRect& normalGeometry) {
  Left = normalGeometry.x();
  Top = normalGeometry.y();
  Width = normalGeometry.width();
  Height = normalGeometry.height();
  Valid = true;
}

std::optional<QRect> TFormLocation::ApplyGeometry() const {
  if (!Remember || !Valid) return std::nullopt;
  // Bounds come from a text file: keep them where a rectangle's edges cannot overflow.
  static constexpr int32_t kLimit = 1 << 24;
  const auto clamp = [](int32_t v, int32_t lo) { return std::clamp(v, lo, kLimit); };
  return QRect(clamp(Left, -kLimit), clamp(Top, -kLimit), clamp(Width, 0), clamp(Height, 0));
}

std::optional<QRect> TFormLocation::RestoreGeometry(const QRect& desktop) const {
  const auto geometry = ApplyGeometry();
  if (!geometry) return std::nullopt;
  return FitToDesktop(*geometry, desktop);
}

QRect TFormLocation::FitToDesktop(const QRect& window, const QRect& desktop) {
  // Right and bottom edges are left + width and top + height; 64-bit so that
  // bounds read from the settings file cannot overflow.
  int64_t left = window.x(), top = window.y(), width = window.width(), height = window.height();
  const int64_t areaLeft = desktop.x(), areaTop = desktop.y();
  const int64_t areaRight = areaLeft + desktop.width(), areaBottom = areaTop + desktop.height();
  width = std::min<int64_t>(width, desktop.width());
  height = std::min<int64_t>(height, desktop.height());
  if (left < areaLeft) left = areaLeft;
  if (top < areaTop) top = areaTop;
  if (left + width > areaRight) left = areaRight - width;
  if (top + height > areaBottom) top = areaBottom - height;
  return QRect(int(left), int(top), int(width), int(height));
}
