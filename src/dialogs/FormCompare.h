#pragma once
// TFormCompare: checks a digest the user has from elsewhere against a digest the main
// window shows. Not modal; it updates while the user types. Each time it goes from hidden
// to visible it pastes the clipboard's text (trimmed) into the user's box, unless that
// text is far longer than any digest.
//
// The main window's compare button of a row:
//   CollectDigests(formCompare->AvailableHashes);            // every digest shown for a ticked row
//   formCompare->CompareDigest(rowType, rowDigestEdit->text());
// The "Compare to any of the available hash types" box reads and writes
// TSettings::CompareToAnyHash.
#include <QDialog>
#include <QString>

#include "engine/HashList.h"
#include "engine/HashTypes.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class TMatchPictures;
class TSettings;

class TFormCompare : public QDialog {
  Q_OBJECT
 public:
  explicit TFormCompare(TSettings& settings, QWidget* parent = nullptr);

  // Stores the digest to compare with, shows the dialog (or brings it forward) and compares.
  void CompareDigest(THashType type, const QString& text);

  // Removes every leading and trailing character whose code is 32 or less.
  static QString TrimDigestText(const QString& text);
  // The longest clipboard text, once trimmed, that is pasted when the dialog
  // opens; the longest digest has 128 digits.
  static constexpr qsizetype MaxPastedLength = 1024;

  THashList AvailableHashes;
  THashType CompareType = htNone;
  QString CompareText;
  bool Loading = false;

  QLabel* Label1 = nullptr;
  QLineEdit* EditHashUser = nullptr;
  QLabel* Label_Pasted = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* EditHashCompare = nullptr;
  QLabel* Label_HashType = nullptr;
  TMatchPictures* Pictures = nullptr;  // holds Image_Good and Image_Bad
  QCheckBox* CB_CompareToAnyHash = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void FormCreate();
  void PasteFromClipboard();
  void HandleHashChange();
  void CB_CompareToAnyHashChange();
  void UpdateComparison();

  TSettings& Settings_;
};
