#include "dialogs/FormCompare.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

#include "app/FormTranslation.h"
#include "dialogs/MatchPictures.h"
#include "i18n/ResourceStrings.h"
#include "settings/Settings.h"

namespace {

QFont DigestFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(13);
  return font;
}

QLabel* SmallLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * 0.85);
  label->setFont(font);
  label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
  return label;
}

}  // namespace

TFormCompare::TFormCompare(TSettings& settings, QWidget* parent) : QDialog(parent), Settings_(settings) {
  BuildControls();
  TranslateForm(this);
  FormCreate();
}

void TFormCompare::BuildControls() {
  setObjectName(QStringLiteral("FormCompare"));
  setWindowTitle(QStringLiteral("Compare Hash"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);

  Label1 = new QLabel(QStringLiteral("Your hash:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label_Pasted = SmallLabel(this, "Label_Pasted");
  Label_Pasted->setStyleSheet(QStringLiteral("color: #1F6F2A;"));
  EditHashUser = new QLineEdit(this);
  EditHashUser->setObjectName(QStringLiteral("EditHashUser"));
  EditHashUser->setFont(DigestFont());
  Label1->setBuddy(EditHashUser);

  Label2 = new QLabel(QStringLiteral("Comparing to:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label_HashType = SmallLabel(this, "Label_HashType");
  EditHashCompare = new QLineEdit(this);
  EditHashCompare->setObjectName(QStringLiteral("EditHashCompare"));
  EditHashCompare->setFont(DigestFont());
  EditHashCompare->setReadOnly(true);
  QPalette palette = EditHashCompare->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  EditHashCompare->setPalette(palette);

  Pictures = new TMatchPictures(this);

  CB_CompareToAnyHash = new QCheckBox(QStringLiteral("Compare to any of the available hash types"), this);
  CB_CompareToAnyHash->setObjectName(QStringLiteral("CB_CompareToAnyHash"));

  // A SHA256 digest (64 digits) fits without scrolling; longer ones scroll.
  const int digestWidth = QFontMetrics(DigestFont()).horizontalAdvance(QString(68, QLatin1Char('0')));
  EditHashUser->setMinimumWidth(digestWidth);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
  grid->addWidget(Label_Pasted, 0, 0, Qt::AlignRight | Qt::AlignBottom);
  grid->addWidget(EditHashUser, 1, 0);
  grid->addWidget(Label2, 2, 0, Qt::AlignLeft | Qt::AlignBottom);
  grid->addWidget(Label_HashType, 2, 0, Qt::AlignRight | Qt::AlignBottom);
  grid->addWidget(EditHashCompare, 3, 0);
  grid->addWidget(Pictures, 0, 1, 4, 1, Qt::AlignCenter);
  grid->addWidget(CB_CompareToAnyHash, 4, 0, 1, 2);
  grid->setColumnMinimumWidth(1, 48);
  grid->setRowMinimumHeight(2, 22);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  connect(EditHashUser, &QLineEdit::textChanged, this, &TFormCompare::HandleHashChange);
  connect(CB_CompareToAnyHash, &QCheckBox::toggled, this, &TFormCompare::CB_CompareToAnyHashChange);
}

void TFormCompare::FormCreate() {
  CompareType = htNone;
  CompareText.clear();
  AvailableHashes.Clear();
  Loading = true;
  CB_CompareToAnyHash->setChecked(Settings_.CompareToAnyHash);
  Loading = false;
}

QString TFormCompare::TrimDigestText(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first).unicode() <= 32) ++first;
  while (last > first && text.at(last - 1).unicode() <= 32) --last;
  return text.mid(first, last - first);
}

void TFormCompare::CompareDigest(THashType type, const QString& text) {
  CompareType = type;
  CompareText = text;
  if (isVisible()) {
    raise();
    activateWindow();
  } else {
    show();  // pastes the clipboard, which compares too
  }
  UpdateComparison();
}

void TFormCompare::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A spontaneous show is the window coming back from minimised, not from hidden.
  if (!event->spontaneous()) PasteFromClipboard();
}

void TFormCompare::PasteFromClipboard() {
  const QString clipboard = QGuiApplication::clipboard()->text();
  // Trimmed in place: the clipboard may hold a whole document.
  QStringView pasted(clipboard);
  while (!pasted.isEmpty() && pasted.front().unicode() <= 32) pasted = pasted.sliced(1);
  while (!pasted.isEmpty() && pasted.back().unicode() <= 32) pasted.chop(1);
  // A text far longer than any digest is left on the clipboard, as an empty one
  // would be: pasting it stalls the window and can never match.
  if (pasted.isEmpty() || pasted.size() > MaxPastedLength) {
    Label_Pasted->clear();
    return;
  }
  EditHashUser->setText(pasted.toString());
  Label_Pasted->setText(RS(rs::fcompare_sautopastedfromclipboard));
}

void TFormCompare::HandleHashChange() {
  Label_Pasted->clear();
  UpdateComparison();
}

void TFormCompare::CB_CompareToAnyHashChange() {
  if (Loading) return;
  Settings_.CompareToAnyHash = CB_CompareToAnyHash->isChecked();
  UpdateComparison();
}

void TFormCompare::UpdateComparison() {
  const QString user = TrimDigestText(EditHashUser->text());
  QString shownDigest = CompareText;
  QString shownType = (!CompareText.isEmpty() && CompareType != htNone) ? HashTypeToName(CompareType) : QString();
  bool match = SameDigest(user, CompareText);
  if (!match && CB_CompareToAnyHash->isChecked()) {
    const THashType found = AvailableHashes.FindType(user);
    if (found != htNone) {
      match = true;
      shownDigest = AvailableHashes.GetHash(found);
      shownType = HashTypeToName(found);
    }
  }
  EditHashCompare->setText(shownDigest);
  EditHashCompare->setCursorPosition(0);
  Label_HashType->setText(shownType);
  Pictures->ShowMatch(match);
  if (EditHashUser->isVisible() && EditHashUser->isEnabled()) EditHashUser->setFocus();
}
