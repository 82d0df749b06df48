#pragma once
// Pictures of commands, buttons and status panels. Each comes from the desktop's
// icon theme (Adwaita when the desktop names none) and falls back to one of the
// style's own pictures, so no button is ever blank.
#include <QIcon>
#include <QStyle>

// Makes the freedesktop theme lookup work where no desktop environment chose a theme.
void SetupIconTheme();

// The theme icon called themeName, or the style's standard picture when the theme lacks it.
QIcon ThemeIcon(const char* themeName, QStyle::StandardPixmap fallback);
