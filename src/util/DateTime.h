#pragma once
// Date-time values as the program keeps them: days since 30 December 1899,
// local time, the time of day as the fraction.
#include <QDateTime>
#include <cstdint>

using TDateTime = double;

// A file time given as seconds and nanoseconds since 1 January 1970 UTC, turned into a
// local date-time value. 0 when the time cannot be converted.
TDateTime FileTimeToLocalDateTime(int64_t seconds, int64_t nanoseconds);
// Any valid QDateTime (UTC, local or with a zone) as a local date-time value; 0 when invalid.
TDateTime FileTimeToLocalDateTime(const QDateTime& time);
// The local QDateTime of a date-time value (to the millisecond); invalid for 0.
QDateTime DateTimeToQDateTime(TDateTime value);
// Midnight of a calendar date as a date-time value.
TDateTime DateToDateTime(const QDate& date);
