#pragma once
// Keyboard state and status-bar geometry helpers of the main window.
#include <QRect>
#include <QString>

class TStatusBar;

// The Shift and Ctrl keys as the keyboard holds them right now (not as the last
// input event reported them), so a key held while a dialog closes still counts.
bool IsShiftDown();
bool IsCtrlDown();

// The index of the panel under a point in the bar's client coordinates, or -1.
int StatusPanelAt(const TStatusBar* bar, int x, int y);
// The panel under the mouse pointer, or -1.
int StatusPanelAtCursor(const TStatusBar* bar);

// A box of the given size at the origin.
QRect SizedRect(int width, int height);
// Moves box so that it is centred in area (its size is kept).
void CenterInRect(QRect& box, const QRect& area);

// The user's locale's time separator (":" in most locales), looked up once.
QString TimeSeparator();
