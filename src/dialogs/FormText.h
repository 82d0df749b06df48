#pragma once
// TFormText: a window for typing or pasting text and hashing it in UTF-8, Unicode
// (UTF-16LE) or ANSI (Windows-1252). Not modal; the encoding lasts while the program runs.
// Line breaks reach the bytes as CR LF. "Hash Text", Ctrl+Enter and a change of encoding
// (while the window is visible) hash the text: the window emits HashTextRequested with the
// bytes, and the main window digests them.
//
//   formText = new TFormText(mainWindow);
//   connect(formText, &TFormText::HashTextRequested, mainWindow, &TFormMain::HashText);
//   ActionTextHash: formText->show(); formText->raise(); formText->activateWindow();
#include <QByteArray>
#include <QString>
#include <QWidget>

#include "util/TextEncoding.h"

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TFormText : public QWidget {
  Q_OBJECT
 public:
  explicit TFormText(QWidget* parent = nullptr);

  TTextEncoding SelectedEncoding() const;
  // The text box's content with CR LF between lines, nothing trimmed or added.
  QString TypedText() const;
  // Encodes the typed text, shows what was hashed, and emits HashTextRequested.
  void HashTypedText();

  QPushButton* BitBtnHash = nullptr;
  QGroupBox* GroupBoxEncoding = nullptr;
  QRadioButton* RB_EncodingUTF8 = nullptr;
  QRadioButton* RB_EncodingUnicode = nullptr;
  QRadioButton* RB_EncodingANSI = nullptr;
  QPlainTextEdit* MemoText = nullptr;

 signals:
  void HashTextRequested(const QByteArray& bytes);

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void HandleEncodingChange(bool checked);
  bool FormKeyDown(QKeyEvent* event);

  bool Placed_ = false;
};
