#include "util/DateTime.h"

#include <QTimeZone>
#include <cmath>
#include <ctime>

namespace {
constexpr int64_t SecondsPerDay = 86400;
constexpr int64_t UnixEpochDays = 25569;  // 1970-01-01 counted from 1899-12-30

const QDate& DateTimeEpoch() {
  static const QDate epoch(1899, 12, 30);
  return epoch;
}

// Days before the epoch keep the time of day as a positive fraction subtracted
// from the negative day count, so 29 Dec 1899 noon is -1.5.
TDateTime Combine(int64_t days, double dayFraction) {
  return days >= 0 ? double(days) + dayFraction : double(days) - dayFraction;
}

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}
}  // namespace

TDateTime FileTimeToLocalDateTime(int64_t seconds, int64_t nanoseconds) {
  // Roughly the years 1601 to 9999 are meaningful; anything else is treated as unknown.
  constexpr int64_t Limit = int64_t(1) << 38;
  if (seconds < -Limit || seconds > Limit || nanoseconds < 0 || nanoseconds >= 1000000000) return 0;
  // The offset that applied at that moment, so summer and winter times both read right.
  // localtime_r reads the zone once per process; Qt's conversion re-checks the
  // zone file several times per call, which dominated listing many small files.
  const time_t moment = static_cast<time_t>(seconds);
  struct tm parts {};
  if (!localtime_r(&moment, &parts)) return 0;
  const int64_t localSeconds = seconds + parts.tm_gmtoff;
  const int64_t days = FloorDiv(localSeconds, SecondsPerDay);
  const int64_t secondOfDay = localSeconds - days * SecondsPerDay;
  const double fraction = (double(secondOfDay) + double(nanoseconds) / 1e9) / double(SecondsPerDay);
  return Combine(days + UnixEpochDays, fraction);
}

TDateTime FileTimeToLocalDateTime(const QDateTime& time) {
  if (!time.isValid()) return 0;
  const QDateTime local = time.toLocalTime();
  if (!local.isValid()) return 0;
  const int64_t days = DateTimeEpoch().daysTo(local.date());
  const double fraction = double(local.time().msecsSinceStartOfDay()) / (double(SecondsPerDay) * 1000.0);
  return Combine(days, fraction);
}

QDateTime DateTimeToQDateTime(TDateTime value) {
  if (value == 0 || !std::isfinite(value) || std::fabs(value) > 3.0e6) return {};
  const double whole = std::trunc(value);
  double fraction = std::fabs(value - whole);
  int64_t days = int64_t(whole);
  int64_t msecs = std::llround(fraction * double(SecondsPerDay) * 1000.0);
  if (msecs >= SecondsPerDay * 1000) {  // rounding reached the next day
    msecs -= SecondsPerDay * 1000;
    ++days;
  }
  return QDateTime(DateTimeEpoch().addDays(days), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

TDateTime DateToDateTime(const QDate& date) {
  if (!date.isValid()) return 0;
  return double(DateTimeEpoch().daysTo(date));
}
