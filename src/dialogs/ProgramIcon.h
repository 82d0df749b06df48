#pragma once
// The program's icon, drawn by the program: a "#" sign on a light rounded square.
//   QApplication::setWindowIcon(ProgramIcon());
//   label->setPixmap(DrawProgramIcon(48, label->devicePixelRatioF()));
#include <QIcon>
#include <QPixmap>

QPixmap DrawProgramIcon(int size, qreal devicePixelRatio = 1.0);
// The icon in the usual sizes, 16 to 256 pixels.
QIcon ProgramIcon();
