#pragma once
// Every modal message box of the program goes through ShowMessageBox, so that tests can
// answer the boxes without showing anything.
//
//   ShowMessageBox(this, TMessageBoxKind::Error, RS(rs::fmain_sfailedtosavelog) + "\r\n" + e.Message());
//   if (ShowMessageBox(this, TMessageBoxKind::Confirmation, text,
//                      QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) { ... }
//
// In a test:
//   TMessageBoxCapture boxes(QMessageBox::Ok);   // answers and records every box while it lives
//   ...;  QCOMPARE(boxes.Boxes.size(), size_t(1));  boxes.Boxes[0].Text ...
#include <QMessageBox>
#include <QString>
#include <functional>
#include <vector>

enum class TMessageBoxKind { Information, Warning, Error, Confirmation };

struct TMessageBoxRequest {
  TMessageBoxKind Kind = TMessageBoxKind::Information;
  QString Title;
  QString Text;  // as the caller gave it, CR LF line breaks included
  QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
  QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
};

using TMessageBoxHandler = std::function<QMessageBox::StandardButton(const TMessageBoxRequest&)>;

// Shows a modal box titled with the application's name and returns the button chosen.
QMessageBox::StandardButton ShowMessageBox(QWidget* parent, TMessageBoxKind kind, const QString& text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Replaces the way boxes are shown; an empty handler brings the real boxes back.
// Returns the handler that was installed before.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

// Answers every box with Answer and keeps a copy of each, until it is destroyed.
class TMessageBoxCapture {
 public:
  explicit TMessageBoxCapture(QMessageBox::StandardButton answer = QMessageBox::Ok);
  ~TMessageBoxCapture();
  TMessageBoxCapture(const TMessageBoxCapture&) = delete;
  TMessageBoxCapture& operator=(const TMessageBoxCapture&) = delete;

  std::vector<TMessageBoxRequest> Boxes;
  QMessageBox::StandardButton Answer;

 private:
  TMessageBoxHandler Previous_;
};
