#include "dialogs/MatchPictures.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStackedLayout>

namespace {

constexpr int PictureSize = 32;
const QColor GoodColor(0x2E, 0x9D, 0x3C);
const QColor BadColor(0xD3, 0x2F, 0x2F);

QLabel* NewPictureLabel(QWidget* parent, const char* name, bool match) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignCenter);
  label->setFixedSize(PictureSize, PictureSize);
  label->setPixmap(DrawMatchPicture(match, PictureSize, parent->devicePixelRatioF()));
  return label;
}

}  // namespace

QPixmap DrawMatchPicture(bool match, int size, qreal devicePixelRatio) {
  QPixmap pixmap(qRound(size * devicePixelRatio), qRound(size * devicePixelRatio));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 32-unit grid, scaled to the size asked for.
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(Qt::NoPen);
  if (match) {
    painter.setBrush(GoodColor);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 4, 4);
    QPen tick(Qt::white, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(tick);
    painter.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(8, 16.5);
    path.lineTo(13.5, 22);
    path.lineTo(24, 10);
    painter.drawPath(path);
  } else {
    painter.setBrush(BadColor);
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(7, 13.5, 18, 5));
  }
  return pixmap;
}

TMatchPictures::TMatchPictures(QWidget* parent) : QWidget(parent) {
  auto* stack = new QStackedLayout(this);
  stack->setStackingMode(QStackedLayout::StackAll);
  stack->setContentsMargins(0, 0, 0, 0);
  ImageGood = NewPictureLabel(this, "Image_Good", true);
  ImageBad = NewPictureLabel(this, "Image_Bad", false);
  stack->addWidget(ImageGood);
  stack->addWidget(ImageBad);
  setFixedSize(PictureSize, PictureSize);
  ShowNone();
}

void TMatchPictures::ShowMatch(bool match) {
  ImageGood->setVisible(match);
  ImageBad->setVisible(!match);
}

void TMatchPictures::ShowNone() {
  ImageGood->setVisible(false);
  ImageBad->setVisible(false);
}
