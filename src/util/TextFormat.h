#pragma once
// Display texts of sizes, speeds, digit groups and attribute bits.
#include <QChar>
#include <QLocale>
#include <QString>
#include <cstdint>

// "999 B", "0.98 KB", "1.43 MB", "4,656.61 GB"; empty for a negative size. The switch
// points are powers of ten, the divisors powers of two. Separators from the locale given,
// or from the user's locale.
QString FormatFileSize(int64_t size);
QString FormatFileSize(int64_t size, const QLocale& locale);

// "2 B/s", "120.56 KB/s" and so on; empty for a negative, NaN or infinite value.
QString FormatSpeed(double bytesPerSecond);
QString FormatSpeed(double bytesPerSecond, const QLocale& locale);

// A number with two decimals and its integer part grouped by thousands ("#,##0.00"),
// with the decimal and grouping separators of the locale.
QString FormatNumber2(double value, const QLocale& locale);

// Decimal digits with the separator before every group of three from the right.
QString FormatThousands(QChar separator, int64_t value);

// Seven letters RHSVDAL, "-" for each clear bit.
QString FileAttributesText(uint32_t attributes);
