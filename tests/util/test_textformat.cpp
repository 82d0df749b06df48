// Display texts of sizes, speeds, digit groups and attributes, list splitting and the version text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "util/FileProperties.h"
#include "util/SplitText.h"
#include "util/TextFormat.h"
#include "util/Version.h"

namespace {
const QLocale PointLocale(QLocale::English, QLocale::UnitedStates);
const QLocale CommaLocale(QLocale::German, QLocale::Germany);

TEST(FormatFileSize, PowersOfTenSwitchPowersOfTwoDivide) {
  const struct {
    int64_t Size;
    const char* Point;
    const char* Comma;
  } cases[] = {
      {0, "0 B", "0 B"},
      {999, "999 B", "999 B"},
      {1000, "0.98 KB", "0,98 KB"},
      {1023, "1.00 KB", "1,00 KB"},
      {1024, "1.00 KB", "1,00 KB"},
      {999999, "976.56 KB", "976,56 KB"},
      {1000000, "0.95 MB", "0,95 MB"},
      {1500000, "1.43 MB", "1,43 MB"},
      {1000000000, "0.93 GB", "0,93 GB"},
      {5000000000000, "4,656.61 GB", "4.656,61 GB"},
      {std::numeric_limits<int64_t>::max(), "8,589,934,592.00 GB", "8.589.934.592,00 GB"},
      {-1, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFileSize(c.Size, PointLocale), QString::fromUtf8(c.Point)) << c.Size;
    EXPECT_EQ(FormatFileSize(c.Size, CommaLocale), QString::fromUtf8(c.Comma)) << c.Size;
  }
}

TEST(FormatSpeed, RoundsHalfToEvenBelowThousand) {
  const struct {
    double Value;
    const char* Text;
  } cases[] = {
      {0, "0 B/s"},
      {0.5, "0 B/s"},
      {1.5, "2 B/s"},
      {2.5, "2 B/s"},
      {999.4, "999 B/s"},
      {999.6, "1000 B/s"},  // compared before rounding
      {1000, "0.98 KB/s"},
      {123456, "120.56 KB/s"},
      {5e6, "4.77 MB/s"},
      {3e9, "2.79 GB/s"},
      {2500000000000, "2,328.31 GB/s"},
      {-0.1, ""},
      {std::nan(""), ""},
      {std::numeric_limits<double>::infinity(), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSpeed(c.Value, PointLocale), QString::fromUtf8(c.Text)) << c.Value;
  EXPECT_EQ(FormatSpeed(123456, CommaLocale), QStringLiteral("120,56 KB/s"));
}

TEST(FormatThousands, GroupsFromTheRight) {
  const struct {
    int64_t Value;
    const char* Text;
  } cases[] = {
      {0, "0"},
      {100, "100"},
      {123, "123"},
      {1000, "1,000"},
      {1234, "1,234"},
      {123456, "123,456"},
      {1234567, "1,234,567"},
      {-1234, "-1,234"},
      {std::numeric_limits<int64_t>::min(), "-9,223,372,036,854,775,808"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatThousands(u',', c.Value), QString::fromUtf8(c.Text)) << c.Value;
  EXPECT_EQ(FormatThousands(u' ', 1234567), QStringLiteral("1 234 567"));
}

TEST(FileAttributesText, OneLetterPerBitInOrder) {
  const struct {
    uint32_t Bits;
    const char* Text;
  } cases[] = {
      {0, "-------"},
      {0x7F, "RHSVDAL"},
      {0x80, "-------"},
      {faReadOnly | faArchive, "R----A-"},
      {faHidden | faDirectory | faSymLink, "-H--D-L"},
      {faSysFile | faVolumeId, "--SV---"},
      {0xFFFFFFFF, "RHSVDAL"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileAttributesText(c.Bits), QString::fromUtf8(c.Text)) << c.Bits;
}

TEST(SplitText, DropsEmptyPiecesKeepsBlanks) {
  const struct {
    const char* Text;
    const char* Separators;
    QStringList Expected;
  } cases[] = {
      {"CRC32,,MD5,", ",", {"CRC32", "MD5"}},
      {",CRC32", ",", {"CRC32"}},
      {"", ",", {}},
      {",,,", ",", {}},
      {" a , b ", ",", {" a ", " b "}},
      {"a;b,c", ",;", {"a", "b", "c"}},
      {"abc", "", {"abc"}},
  };
  for (const auto& c : cases) {
    QStringList target;
    SplitText(QString::fromUtf8(c.Text), QString::fromUtf8(c.Separators), target);
    EXPECT_EQ(target, c.Expected) << c.Text;
  }
  QStringList target{QStringLiteral("kept")};
  SplitText(QStringLiteral("x"), QStringLiteral(","), target);
  EXPECT_EQ(target, (QStringList{QStringLiteral("kept"), QStringLiteral("x")}));
}

TEST(Version, TextShowsReleaseAndBetaOnlyWhenSet) {
  const struct {
    TVersionNumbers Numbers;
    const char* Text;
  } cases[] = {
      {{3, 3, 0, 0}, "3.3"},         {{3, 3, 1, 0}, "3.3.1"},         {{3, 3, 0, 2}, "3.3.0.2 Beta"},
      {{3, 4, 1, 7}, "3.4.1.7 Beta"}, {{0, 0, 0, 0}, "0.0"},           {{10, 20, 0, 0}, "10.20"},
      {{65535, 0, 65535, 0}, "65535.0.65535"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetVersionText(c.Numbers), QString::fromUtf8(c.Text)) << c.Text;
}

TEST(Version, BuildProvidesNumbersAndDate) {
  const TVersionNumbers v = GetVersionNumbers();
  EXPECT_EQ(v.Major, 3);
  EXPECT_EQ(v.Minor, 3);
  EXPECT_EQ(v.Release, 0);
  EXPECT_EQ(v.Build, 0);
  EXPECT_EQ(GetVersionText(), QStringLiteral("3.3"));
  EXPECT_EQ(GetBuildDate().toString(Qt::ISODate), QStringLiteral("2016-12-04"));
  EXPECT_DOUBLE_EQ(GetBuildDateTime(), 42708.0);
}
}  // namespace
