#include "dialogs/MessageBox.h"

#include <QGuiApplication>

namespace {

TMessageBoxHandler& InstalledHandler() {
  static TMessageBoxHandler handler;
  return handler;
}

QMessageBox::Icon IconOf(TMessageBoxKind kind) {
  switch (kind) {
    case TMessageBoxKind::Warning:
      return QMessageBox::Warning;
    case TMessageBoxKind::Error:
      return QMessageBox::Critical;
    case TMessageBoxKind::Confirmation:
      return QMessageBox::Question;
    case TMessageBoxKind::Information:
      break;
  }
  return QMessageBox::Information;
}

QMessageBox::StandardButton ShowRealBox(QWidget* parent, const TMessageBoxRequest& request) {
  // The texts carry CR LF line breaks; a label wants plain LF.
  QString text = request.Text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(IconOf(request.Kind), request.Title, text, request.Buttons, parent);
  box.setTextFormat(Qt::PlainText);
  if (request.DefaultButton != QMessageBox::NoButton) box.setDefaultButton(request.DefaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, TMessageBoxKind kind, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) {
  TMessageBoxRequest request;
  request.Kind = kind;
  request.Title = QGuiApplication::applicationDisplayName();
  request.Text = text;
  request.Buttons = buttons;
  request.DefaultButton = defaultButton;
  if (const TMessageBoxHandler& handler = InstalledHandler()) return handler(request);
  return ShowRealBox(parent, request);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  TMessageBoxHandler previous = std::move(InstalledHandler());
  InstalledHandler() = std::move(handler);
  return previous;
}

TMessageBoxCapture::TMessageBoxCapture(QMessageBox::StandardButton answer) : Answer(answer) {
  Previous_ = SetMessageBoxHandler([this](const TMessageBoxRequest& request) {
    Boxes.push_back(request);
    return Answer;
  });
}

TMessageBoxCapture::~TMessageBoxCapture() { SetMessageBoxHandler(std::move(Previous_)); }
