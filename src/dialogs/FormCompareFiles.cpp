#include "dialogs/FormCompareFiles.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/FormTranslation.h"
#include "dialogs/MatchPictures.h"
#include "engine/HashFile.h"
#include "i18n/ResourceStrings.h"

namespace {

QString TypeNames(THashTypes set) {
  QStringList names;
  for (int type = FirstHashType; type <= LastHashType; ++type)
    if (HasHashType(set, type)) names << HashTypeToName(type);
  return names.join(QLatin1Char(','));
}

QString DigestLine(int type, const QString& digest) {
  return QStringLiteral("* ") + HashTypeToName(type) + QStringLiteral(": ") + digest;
}

}  // namespace

TFormCompareFiles::TFormCompareFiles(QWidget* parent) : QDialog(parent) {
  BuildControls();
  TranslateForm(this);
}

void TFormCompareFiles::BuildControls() {
  setObjectName(QStringLiteral("FormCompareFiles"));
  setWindowTitle(QStringLiteral("Compare Files"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);

  Label_FileA = new QLabel(QStringLiteral("File A:"), this);
  Label_FileA->setObjectName(QStringLiteral("Label_FileA"));
  Edit_FileA = new QLineEdit(this);
  Edit_FileA->setObjectName(QStringLiteral("Edit_FileA"));
  Edit_FileA->setReadOnly(true);
  Label_FileB = new QLabel(QStringLiteral("File B:"), this);
  Label_FileB->setObjectName(QStringLiteral("Label_FileB"));
  Edit_FileB = new QLineEdit(this);
  Edit_FileB->setObjectName(QStringLiteral("Edit_FileB"));
  Edit_FileB->setReadOnly(true);
  Pictures = new TMatchPictures(this);

  Label1 = new QLabel(QStringLiteral("Additional information:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Memo_Notes = new QPlainTextEdit(this);
  Memo_Notes->setObjectName(QStringLiteral("Memo_Notes"));
  Memo_Notes->setReadOnly(true);
  Memo_Notes->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo_Notes->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QPalette palette = Memo_Notes->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  Memo_Notes->setPalette(palette);
  Memo_Notes->setFixedSize(520, 200);
  Label1->setBuddy(Memo_Notes);

  auto* files = new QGridLayout;
  files->addWidget(Label_FileA, 0, 0);
  files->addWidget(Edit_FileA, 0, 1);
  files->addWidget(Label_FileB, 1, 0);
  files->addWidget(Edit_FileB, 1, 1);
  files->addWidget(Pictures, 0, 2, 2, 1, Qt::AlignCenter);
  files->setColumnMinimumWidth(2, 44);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addSpacing(6);
  layout->addWidget(Label1);
  layout->addWidget(Memo_Notes);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList TFormCompareFiles::ReportLines(const THashList& a, const THashList& b, bool& match) {
  THashTypes matched = 0;
  THashTypes mismatched = 0;
  match = a.CompareWith(b, matched, mismatched);
  const int matchedCount = CountHashTypes(matched);
  QStringList lines;
  lines << RSFormat(rs::fcomparefiles_snummatchedhashes,
                    {QString::number(matchedCount), QString::number(matchedCount + CountHashTypes(mismatched))});
  if (CountHashTypes(matched) > 0) {
    lines << QString();
    lines << RS(rs::fcomparefiles_smatchinghashes) + QLatin1Char(' ') + TypeNames(matched);
    for (int type = FirstHashType; type <= LastHashType; ++type)
      if (HasHashType(matched, type)) lines << DigestLine(type, a.GetHash(type));
  }
  if (CountHashTypes(mismatched) > 0) {
    lines << QString();
    lines << RS(rs::fcomparefiles_snotmatchinghashes) + QLatin1Char(' ') + TypeNames(mismatched);
    for (int type = FirstHashType; type <= LastHashType; ++type) {
      if (!HasHashType(mismatched, type)) continue;
      lines << DigestLine(type, a.GetHash(type));
      lines << DigestLine(type, b.GetHash(type));
    }
  }
  return lines;
}

bool TFormCompareFiles::CompareFiles(const THashFile& a, const THashFile& b) {
  if (isVisible()) {
    raise();
    activateWindow();
  } else {
    show();
  }
  Memo_Notes->clear();
  Edit_FileA->setText(a.FileName);
  Edit_FileA->setCursorPosition(0);
  Edit_FileB->setText(b.FileName);
  Edit_FileB->setCursorPosition(0);
  bool match = false;
  const QStringList lines = ReportLines(a.Hashes, b.Hashes, match);
  Pictures->ShowMatch(match);
  Memo_Notes->setPlainText(lines.join(QLatin1Char('\n')));
  return match;
}
