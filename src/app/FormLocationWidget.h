#pragma once
// Remembered window positions applied to real windows. The bounds are the
// window's client rectangle in desktop coordinates (QWidget::geometry()), the
// measure setGeometry() takes back, so a captured location restores exactly.
#include <QRect>

class QWidget;
class TFormLocation;

// Stores the window's normal-state bounds (also when it is maximised or minimised); sets Valid.
void CaptureFormLocation(TFormLocation& location, const QWidget* window);
// Places the window when the location is remembered and valid; true when it did.
bool ApplyFormLocation(const TFormLocation& location, QWidget* window);
// ApplyFormLocation, then FitToDesktop when the window was placed.
bool RestoreFormLocation(const TFormLocation& location, QWidget* window);
// Moves and shrinks the window into the rectangle that encloses all screens.
void FitToDesktop(QWidget* window);
// The rectangle that encloses all screens.
QRect DesktopArea();
