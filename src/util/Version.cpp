#include "util/Version.h"

#include "BuildConfig.h"

TVersionNumbers GetVersionNumbers() {
  return TVersionNumbers{DIGREX_VERSION_MAJOR, DIGREX_VERSION_MINOR, DIGREX_VERSION_RELEASE,
                         DIGREX_VERSION_BUILD};
}

QString GetVersionText(const TVersionNumbers& numbers) {
  QString text = QString::number(numbers.Major) + u'.' + QString::number(numbers.Minor);
  if (numbers.Release != 0 || numbers.Build != 0) text += u'.' + QString::number(numbers.Release);
  if (numbers.Build != 0) text += u'.' + QString::number(numbers.Build) + QStringLiteral(" Beta");
  return text;
}

QString GetVersionText() { return GetVersionText(GetVersionNumbers()); }

QDate GetBuildDate() { return QDate(2016, 12, 4); }

TDateTime GetBuildDateTime() { return DateToDateTime(GetBuildDate()); }

QString ProductName() { return QStringLiteral("Digrex"); }

QString MakerWebAddress() { return QStringLiteral("www.velnor.example"); }
