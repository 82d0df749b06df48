#include "dialogs/FormText.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

#include "dialogs/DialogIcons.h"
#include "app/FormTranslation.h"
#include "dialogs/BusyCursor.h"

namespace {

QRadioButton* NewRadio(QWidget* parent, const char* name, const char* caption) {
  auto* radio = new QRadioButton(QString::fromLatin1(caption), parent);
  radio->setObjectName(QString::fromLatin1(name));
  return radio;
}

}  // namespace

TFormText::TFormText(QWidget* parent) : QWidget(parent, Qt::Window) {
  BuildControls();
  TranslateForm(this);
}

void TFormText::BuildControls() {
  setObjectName(QStringLiteral("FormText"));
  setWindowTitle(QStringLiteral("Hash Text"));

  BitBtnHash = new QPushButton(QStringLiteral("Hash Text"), this);
  BitBtnHash->setObjectName(QStringLiteral("BitBtnHash"));
  BitBtnHash->setIcon(DialogIcon("system-run", QStyle::SP_MediaPlay));
  BitBtnHash->setMinimumHeight(40);

  GroupBoxEncoding = new QGroupBox(QStringLiteral("Encoding:"), this);
  GroupBoxEncoding->setObjectName(QStringLiteral("GroupBoxEncoding"));
  RB_EncodingUTF8 = NewRadio(GroupBoxEncoding, "RB_EncodingUTF8", "UTF-8");
  RB_EncodingUnicode = NewRadio(GroupBoxEncoding, "RB_EncodingUnicode", "Unicode");
  RB_EncodingANSI = NewRadio(GroupBoxEncoding, "RB_EncodingANSI", "ANSI");
  RB_EncodingUTF8->setChecked(true);
  auto* encodings = new QHBoxLayout(GroupBoxEncoding);
  encodings->setContentsMargins(8, 2, 8, 4);
  encodings->addWidget(RB_EncodingUTF8);
  encodings->addWidget(RB_EncodingUnicode);
  encodings->addWidget(RB_EncodingANSI);

  MemoText = new QPlainTextEdit(this);
  MemoText->setObjectName(QStringLiteral("MemoText"));
  MemoText->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoText->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MemoText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MemoText->setTabChangesFocus(false);
  MemoText->installEventFilter(this);

  auto* top = new QHBoxLayout;
  top->addWidget(BitBtnHash);
  top->addWidget(GroupBoxEncoding);
  top->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(MemoText, 1);
  resize(460, 300);

  connect(BitBtnHash, &QPushButton::clicked, this, &TFormText::HashTypedText);
  for (QRadioButton* radio : {RB_EncodingUTF8, RB_EncodingUnicode, RB_EncodingANSI})
    connect(radio, &QRadioButton::toggled, this, &TFormText::HandleEncodingChange);
}

TTextEncoding TFormText::SelectedEncoding() const {
  if (RB_EncodingUnicode->isChecked()) return teUnicode;
  if (RB_EncodingANSI->isChecked()) return teANSI;
  return teUTF8;
}

QString TFormText::TypedText() const {
  // The raw text keeps every character as typed (toPlainText would turn no-break spaces
  // into blanks); only the document's paragraph and line separators become CR LF.
  QString raw = MemoText->document()->toRawText();
  QString text;
  text.reserve(raw.size() + raw.size() / 16);
  for (const QChar ch : raw) {
    if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
      text += QStringLiteral("\r\n");
    else
      text += ch;
  }
  return text;
}

void TFormText::HashTypedText() {
  TBusyCursor busy;
  const TTextEncoding encoding = SelectedEncoding();
  const QString text = TypedText();
  QByteArray bytes;
  QString shown;
  EncodeText(text, encoding, bytes, shown);
  // Replacing an unchanged text would only lose the caret and the scroll position.
  if (shown != text) MemoText->setPlainText(shown);
  emit HashTextRequested(bytes);
}

void TFormText::HandleEncodingChange(bool checked) {
  // Each change unticks one button and ticks another; the ticked one hashes.
  if (checked && isVisible()) HashTypedText();
}

void TFormText::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (Placed_) return;
  Placed_ = true;
  // Centred on the main window the first time it is shown.
  if (QWidget* owner = parentWidget(); owner && owner->isVisible()) {
    const QRect area = owner->frameGeometry();
    move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
  }
}

bool TFormText::FormKeyDown(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || !(event->modifiers() & Qt::ControlModifier)) return false;
  HashTypedText();
  return true;
}

void TFormText::keyPressEvent(QKeyEvent* event) {
  if (FormKeyDown(event)) return;
  QWidget::keyPressEvent(event);
}

bool TFormText::eventFilter(QObject* watched, QEvent* event) {
  if (watched == MemoText && event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
    return true;
  return QWidget::eventFilter(watched, event);
}
