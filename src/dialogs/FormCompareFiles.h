#pragma once
// TFormCompareFiles: the outcome of comparing two hashed files by every digest type they
// have in common. Not modal; each call replaces what it shows.
//
// The main window's comparison modes, once a file has finished:
//   if (!formCompareFiles->CompareFiles(*finished, *FileLog.Previous(finished)))
//     AddMessage(mkWarning, RS(rs::fmain_shashesoffilesdontmatch)); ...
// CompareFiles shows the window and brings it forward; true when the files match.
#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class THashFile;
class THashList;
class TMatchPictures;

class TFormCompareFiles : public QDialog {
  Q_OBJECT
 public:
  explicit TFormCompareFiles(QWidget* parent = nullptr);

  // a: the file just hashed, b: the one logged before it.
  bool CompareFiles(const THashFile& a, const THashFile& b);

  // The report's lines for the digest lists of A and B; match receives the result.
  static QStringList ReportLines(const THashList& a, const THashList& b, bool& match);

  QLabel* Label_FileA = nullptr;
  QLineEdit* Edit_FileA = nullptr;
  QLabel* Label_FileB = nullptr;
  QLineEdit* Edit_FileB = nullptr;
  TMatchPictures* Pictures = nullptr;  // holds Image_Good and Image_Bad
  QLabel* Label1 = nullptr;
  QPlainTextEdit* Memo_Notes = nullptr;

 private:
  void BuildControls();
};
