#include "util/TextFormat.h"

#include <cmath>

#include "i18n/ResourceStrings.h"
#include "util/FileProperties.h"

namespace {
constexpr double KiB = 1024.0;
constexpr double MiB = 1048576.0;
constexpr double GiB = 1073741824.0;

QString GroupDigits(const QString& digits, const QString& separator) {
  QString out;
  out.reserve(digits.size() + digits.size() / 3 * separator.size());
  const qsizetype count = digits.size();
  for (qsizetype i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

QString Scaled(double value, rs::Id kb, rs::Id mb, rs::Id gb, const QLocale& locale) {
  if (value < 1000000.0) return FormatNumber2(value / KiB, locale) + u' ' + RS(kb);
  if (value < 1000000000.0) return FormatNumber2(value / MiB, locale) + u' ' + RS(mb);
  return FormatNumber2(value / GiB, locale) + u' ' + RS(gb);
}
}  // namespace

QString FormatNumber2(double value, const QLocale& locale) {
  QString text = QString::number(value, 'f', 2);
  QString sign;
  if (text.startsWith(u'-')) {
    text.remove(0, 1);
    if (text != QLatin1String("0.00")) sign = locale.negativeSign();
  }
  const qsizetype point = text.indexOf(u'.');
  const QString whole = point < 0 ? text : text.left(point);
  const QString decimals = point < 0 ? QStringLiteral("00") : text.mid(point + 1);
  return sign + GroupDigits(whole, locale.groupSeparator()) + locale.decimalPoint() + decimals;
}

QString FormatFileSize(int64_t size) { return FormatFileSize(size, QLocale::system()); }

QString FormatFileSize(int64_t size, const QLocale& locale) {
  if (size < 0) return {};
  if (size < 1000) return QString::number(size) + u' ' + RS(rs::ufunctions_ssizebytes);
  return Scaled(double(size), rs::ufunctions_ssizekb, rs::ufunctions_ssizemb, rs::ufunctions_ssizegb, locale);
}

QString FormatSpeed(double bytesPerSecond) { return FormatSpeed(bytesPerSecond, QLocale::system()); }

QString FormatSpeed(double bytesPerSecond, const QLocale& locale) {
  if (!std::isfinite(bytesPerSecond) || bytesPerSecond < 0) return {};
  if (bytesPerSecond < 1000.0) {
    // The current rounding mode is to nearest, halves to the even neighbour.
    const auto whole = static_cast<int64_t>(std::nearbyint(bytesPerSecond));
    return QString::number(whole) + u' ' + RS(rs::ufunctions_sspeedpersecbytes);
  }
  return Scaled(bytesPerSecond, rs::ufunctions_sspeedperseckb, rs::ufunctions_sspeedpersecmb,
                rs::ufunctions_sspeedpersecgb, locale);
}

QString FormatThousands(QChar separator, int64_t value) {
  // Through the unsigned magnitude so the lowest 64-bit value works too.
  const uint64_t magnitude = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
  const QString grouped = GroupDigits(QString::number(magnitude), QString(separator));
  return value < 0 ? u'-' + grouped : grouped;
}

QString FileAttributesText(uint32_t attributes) {
  static constexpr struct {
    uint32_t Bit;
    char16_t Letter;
  } Letters[] = {{faReadOnly, u'R'},  {faHidden, u'H'},  {faSysFile, u'S'}, {faVolumeId, u'V'},
                 {faDirectory, u'D'}, {faArchive, u'A'}, {faSymLink, u'L'}};
  QString text;
  text.reserve(7);
  for (const auto& l : Letters) text += (attributes & l.Bit) ? QChar(l.Letter) : QChar(u'-');
  return text;
}
