#pragma once
// Button pictures of the secondary windows: the desktop theme's icon (Adwaita when no
// desktop chose a theme) or, when the theme lacks it, one of the style's own pictures.
#include <QIcon>
#include <QStyle>

QIcon DialogIcon(const char* themeName, QStyle::StandardPixmap fallback);
