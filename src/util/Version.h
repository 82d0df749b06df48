#pragma once
// The program's version numbers and build date.
#include <QDate>
#include <QString>
#include <cstdint>

#include "util/DateTime.h"

struct TVersionNumbers {
  uint16_t Major = 0;
  uint16_t Minor = 0;
  uint16_t Release = 0;
  uint16_t Build = 0;
};

// The four numbers the build was made with.
TVersionNumbers GetVersionNumbers();
// "3.3", "3.3.1", "3.3.0.2 Beta": Release shown when Release or Build is set, a
// non-zero Build marks a beta.
QString GetVersionText(const TVersionNumbers& numbers);
QString GetVersionText();

// The build date, 4 December 2016.
QDate GetBuildDate();
// The same at midnight as a date-time value.
TDateTime GetBuildDateTime();

// Fixed texts naming the product and its maker.
QString ProductName();
QString MakerWebAddress();
