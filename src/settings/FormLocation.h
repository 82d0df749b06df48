#pragma once
// A remembered window position and its text form "1,100,120,449,600"
// (remembered flag, then left, top, width, height when valid).
//
// Only the data and the geometry live here; a window wrapper uses it so:
//   Capture:  loc.Capture(window->normalGeometry());   // normal-state bounds even when maximised
//   Apply:    if (auto r = loc.ApplyGeometry()) window->setGeometry(*r);
//   Restore:  if (auto r = loc.ApplyGeometry()) {
//               window->setGeometry(*r);
//               window->setGeometry(TFormLocation::FitToDesktop(window->geometry(), desktop));
//             }
// where desktop is the union of QScreen::geometry() over QGuiApplication::screens().
// Setting the geometry explicitly also stops the window being centred.
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

class TFormLocation {
 public:
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool Remember = false;
  bool Valid = false;
  QString Separator = QStringLiteral(",");

  void Reset();
  QString AsText() const;
  // Never fails: a malformed text leaves the location not valid.
  void FromText(const QString& text);

  // Stores the window's normal-state bounds and marks them valid.
  void Capture(const QRect& normalGeometry);
  // The bounds to give the window when it is remembered and valid.
  std::optional<QRect> ApplyGeometry() const;
  // ApplyGeometry moved and shrunk into desktop.
  std::optional<QRect> RestoreGeometry(const QRect& desktop) const;

  // Shrinks the window to the desktop's size where it is larger, then moves it
  // inside: left and top edges first, then right and bottom.
  static QRect FitToDesktop(const QRect& window, const QRect& desktop);
};

// Parses a signed 32-bit decimal integer: optional sign, digits only.
bool ParseInt32(const QString& text, int32_t& value);
