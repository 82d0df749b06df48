// Date-time values: days since 30 December 1899 in local time.
#include <gtest/gtest.h>

#include <QTimeZone>
#include <cstdlib>
#include <ctime>

#include "util/DateTime.h"

namespace {
// Central European time with summer time, written out so no zone database is needed.
class DateTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TZ");
    HadTz_ = old != nullptr;
    if (HadTz_) OldTz_ = old;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
  void TearDown() override {
    if (HadTz_)
      setenv("TZ", OldTz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  bool HadTz_ = false;
  std::string OldTz_;
};

int64_t UtcSeconds(int y, int m, int d, int hh, int mm, int ss) {
  return QDateTime(QDate(y, m, d), QTime(hh, mm, ss), QTimeZone::utc()).toSecsSinceEpoch();
}

TEST_F(DateTimeTest, FileTimeUsesTheOffsetOfItsOwnDate) {
  // Winter: UTC+1; summer: UTC+2.
  EXPECT_DOUBLE_EQ(FileTimeToLocalDateTime(UtcSeconds(2016, 12, 4, 11, 0, 0), 0), 42708.5);
  EXPECT_DOUBLE_EQ(FileTimeToLocalDateTime(UtcSeconds(2016, 7, 1, 10, 0, 0), 0), 42552.5);
  // Half a second of nanoseconds shows in the fraction.
  EXPECT_NEAR(FileTimeToLocalDateTime(UtcSeconds(2016, 12, 4, 11, 0, 0), 500000000), 42708.5 + 0.5 / 86400,
              1e-9);
  // 1970-01-01 00:00 UTC is 01:00 local.
  EXPECT_DOUBLE_EQ(FileTimeToLocalDateTime(0, 0), 25569.0 + 1.0 / 24);
}

TEST_F(DateTimeTest, QDateTimeInAnyZoneBecomesLocal) {
  const QDateTime utc(QDate(2016, 12, 4), QTime(23, 30), QTimeZone::utc());
  EXPECT_DOUBLE_EQ(FileTimeToLocalDateTime(utc), 42709.0 + 0.5 / 24);  // next day, 00:30 local
  EXPECT_DOUBLE_EQ(FileTimeToLocalDateTime(QDateTime(QDate(1899, 12, 30), QTime(6, 0))), 0.25);
  // Before the epoch the day count is negative and the fraction still adds time of day.
  EXPECT_DOUBLE_EQ(FileTimeToLocalDateTime(QDateTime(QDate(1899, 12, 29), QTime(12, 0))), -1.5);
  EXPECT_EQ(FileTimeToLocalDateTime(QDateTime()), 0.0);
}

TEST_F(DateTimeTest, ImpossibleFileTimesGiveZero) {
  EXPECT_EQ(FileTimeToLocalDateTime(int64_t(1) << 60, 0), 0.0);
  EXPECT_EQ(FileTimeToLocalDateTime(0, 1000000000), 0.0);
  EXPECT_EQ(FileTimeToLocalDateTime(0, -1), 0.0);
}

TEST_F(DateTimeTest, ValuesReadBackAsLocalDateTimes) {
  const QDateTime samples[] = {
      QDateTime(QDate(2016, 12, 4), QTime(14, 3, 59)),
      QDateTime(QDate(2016, 7, 1), QTime(23, 59, 59, 999)),
      QDateTime(QDate(1899, 12, 29), QTime(18, 0)),
      QDateTime(QDate(1601, 1, 1), QTime(0, 0, 1)),
  };
  for (const QDateTime& dt : samples)
    EXPECT_EQ(DateTimeToQDateTime(FileTimeToLocalDateTime(dt)), dt) << dt.toString(Qt::ISODateWithMs).toStdString();
  EXPECT_FALSE(DateTimeToQDateTime(0).isValid());
  EXPECT_DOUBLE_EQ(DateToDateTime(QDate(2016, 12, 4)), 42708.0);
  EXPECT_DOUBLE_EQ(DateToDateTime(QDate(1899, 12, 30)), 0.0);
}
}  // namespace
