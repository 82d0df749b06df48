#pragma once
// The program's icon, drawn by the program: a "#" sign on a light rounded square.
//   QApplication::setWindowIcon(ProgramIcon());
//   label->setPixmap(DrawProgramIcon(48, label->devicePixelRatioF()));
#include <QIcon>
#include <QPixmap>

QPixmap DrawProgramIcon(int size, qreal devicePixelRatio = 1.0);

// The usual sizes, in pixels; data/icons holds a PNG of each for the desktop's icon theme.
inline constexpr int ProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The icon in all ProgramIconSizes.
QIcon ProgramIcon();
