// The location text, its parsing, and keeping a window on the desktop.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <climits>

#include "settings/FormLocation.h"

using namespace Qt::StringLiterals;

namespace {
TEST(FormLocation, TextForms) {
  struct Case {
    QString text;
    bool remember, valid;
    int32_t left, top, width, height;
    QString asText;
  } cases[] = {
      {u"1,10,20,300,200"_s, true, true, 10, 20, 300, 200, u"1,10,20,300,200"_s},
      {u"0,-8,-8,1040,800"_s, false, true, -8, -8, 1040, 800, u"0,-8,-8,1040,800"_s},
      {u"1,10,20,300"_s, true, false, 0, 0, 0, 0, u"1"_s},
      {u"1,10,20,300,200,5"_s, true, false, 10, 20, 300, 0, u"1"_s},  // "200,5" is no number
      {u"yes,10,20,300,200"_s, false, true, 10, 20, 300, 200, u"0,10,20,300,200"_s},
      {u"01,1,2,3,4"_s, false, true, 1, 2, 3, 4, u"0,1,2,3,4"_s},
      {u" 1,1,2,3,4"_s, false, true, 1, 2, 3, 4, u"0,1,2,3,4"_s},
      {u"1"_s, true, false, 0, 0, 0, 0, u"1"_s},
      {u"0"_s, false, false, 0, 0, 0, 0, u"0"_s},
      {u""_s, false, false, 0, 0, 0, 0, u"0"_s},
      {u"1,10,x,300,200"_s, true, false, 10, 0, 0, 0, u"1"_s},  // values before the bad one stay
      {u"1,10, 20,300,200"_s, true, false, 10, 0, 0, 0, u"1"_s},
      {u"1,,20,300,200"_s, true, false, 0, 0, 0, 0, u"1"_s},
      {u"1,-2147483648,2147483647,1,1"_s, true, true, INT32_MIN, INT32_MAX, 1, 1,
       u"1,-2147483648,2147483647,1,1"_s},
      {u"1,2147483648,0,1,1"_s, true, false, 0, 0, 0, 0, u"1"_s},
      {u"1,+5,0,1,1"_s, true, true, 5, 0, 1, 1, u"1,5,0,1,1"_s},
      {u"1,-,0,1,1"_s, true, false, 0, 0, 0, 0, u"1"_s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    TFormLocation loc;
    loc.Capture(QRect(7, 7, 7, 7));  // FromText starts from a reset location
    loc.FromText(c.text);
    EXPECT_EQ(loc.Remember, c.remember);
    EXPECT_EQ(loc.Valid, c.valid);
    EXPECT_EQ(loc.Left, c.left);
    EXPECT_EQ(loc.Top, c.top);
    EXPECT_EQ(loc.Width, c.width);
    EXPECT_EQ(loc.Height, c.height);
    EXPECT_EQ(loc.AsText(), c.asText);
  }
}

TEST(FormLocation, CaptureApplyRestore) {
  TFormLocation loc;
  EXPECT_FALSE(loc.ApplyGeometry());
  loc.Capture(QRect(100, 120, 449, 600));
  EXPECT_TRUE(loc.Valid);
  EXPECT_FALSE(loc.Remember);  // capturing does not decide whether to restore
  EXPECT_EQ(loc.AsText(), u"0,100,120,449,600"_s);
  EXPECT_FALSE(loc.ApplyGeometry());  // not remembered: window opens at its default place
  loc.Remember = true;
  EXPECT_EQ(loc.ApplyGeometry(), QRect(100, 120, 449, 600));
  EXPECT_EQ(loc.RestoreGeometry(QRect(0, 0, 400, 500)), QRect(0, 0, 400, 500));
  loc.Reset();
  EXPECT_EQ(loc.AsText(), u"0"_s);

  // Bounds edited by hand to the limits of their type still give a window on the desktop.
  TFormLocation far;
  far.FromText(u"1,2147483647,2147483647,2147483647,2147483647"_s);
  ASSERT_TRUE(far.Valid);
  EXPECT_EQ(far.RestoreGeometry(QRect(0, 0, 1920, 1080)), QRect(0, 0, 1920, 1080));
  EXPECT_EQ(loc.Separator, u","_s);
}

TEST(FormLocation, FitToDesktop) {
  const QRect desktop(0, 0, 1920, 1080);
  struct Case {
    const char* what;
    QRect window, area, expected;
  } cases[] = {
      {"inside stays", {100, 100, 800, 600}, desktop, {100, 100, 800, 600}},
      {"left of the area", {-300, 50, 800, 600}, desktop, {0, 50, 800, 600}},
      {"above the area", {50, -300, 800, 600}, desktop, {50, 0, 800, 600}},
      {"on a monitor no longer attached", {2500, 1200, 800, 600}, desktop, {1120, 480, 800, 600}},
      {"larger than the desktop", {-10, -10, 4000, 3000}, desktop, {0, 0, 1920, 1080}},
      {"wider and off to the right", {500, 10, 2500, 200}, desktop, {0, 10, 1920, 200}},
      {"two monitors, second one left", {-1500, 100, 800, 600}, QRect(-1280, 0, 3200, 1080),
       {-1280, 100, 800, 600}},
      {"desktop not at the origin", {0, 0, 100, 100}, QRect(50, 60, 1000, 700), {50, 60, 100, 100}},
      {"far out, no overflow", {INT_MAX - 600, INT_MAX - 600, 500, 500}, desktop, {1420, 580, 500, 500}},
  };
  for (const Case& c : cases) EXPECT_EQ(TFormLocation::FitToDesktop(c.window, c.area), c.expected) << c.what;
}
}  // namespace
