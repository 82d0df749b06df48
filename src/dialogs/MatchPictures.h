#pragma once
// The match and mismatch pictures of the two comparison windows, drawn by the program:
// a green square with a white tick, and a red disc with a white bar.
//
//   auto* pictures = new TMatchPictures(this);   // children Image_Good and Image_Bad
//   layout->addWidget(pictures);
//   pictures->ShowMatch(same);                   // exactly one of the two becomes visible
#include <QPixmap>
#include <QWidget>

class QLabel;

// A picture of size x size device-independent pixels, drawn at the given pixel ratio.
QPixmap DrawMatchPicture(bool match, int size = 32, qreal devicePixelRatio = 1.0);

class TMatchPictures : public QWidget {
  Q_OBJECT
 public:
  explicit TMatchPictures(QWidget* parent = nullptr);

  // Image_Good visible exactly when match, Image_Bad exactly when not.
  void ShowMatch(bool match);
  // Neither picture, the state before the first comparison.
  void ShowNone();

  QLabel* ImageGood = nullptr;
  QLabel* ImageBad = nullptr;
};
