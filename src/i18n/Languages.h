#pragma once
// The language catalogue: chooses and installs the language at start-up,
// scans the "Languages" folder for catalogues and describes the Language menu.
//
// Catalogues of the program are named "<executable base name>.<code>.po", on
// Linux "digrex.de.po" or "digrex.pt_BR.po"; flag pictures are
// "Languages/Flags/<country in lower case>.png". The toolkit's own texts come
// from "Languages/Qt/qtbase.<code>.po" (msgctxt = Qt's translation context).
//
// The main window builds its menu from BuildMenu(): one QAction per entry
// (a separator for Separator entries), checkable and checked when Checked,
// showing the picture at FlagFile when that is not empty (a picture that fails
// to load is simply left out), and on trigger calls LanguageItemClick(Tag),
// which raises OnLanguageSelected with the entry's code.
#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>
#include <functional>
#include <optional>

struct TLanguageInfo {
  QString FileName;  // full path of the catalogue
  QString Code;
  QString FlagFile;  // full path of the flag picture, or empty
  QString Country;
  QString CountryName;
  QString Language;
  QString LanguageName;
  QString LanguageNameNative;
  QString Translators;
};

using TOnLanguageSelected = std::function<void(const QString& LangCode)>;

struct TLanguageMenuEntry {
  QString Code;
  QString Caption;
  QString FlagFile;  // empty for the fixed entries, the ticked entry and missing pictures
  bool Checked = false;
  bool Separator = false;
  int Tag = -1;  // index of Code in TLanguages::MenuCodes
};

class TLanguages {
 public:
  // The codes handed to InitLanguage, empty ones replaced by "AUTOMATIC" / "AUTO".
  QString LanguageCode;
  QString BiDiCode;
  // Codes of the menu entries; an entry's Tag indexes this list.
  QStringList MenuCodes;
  TOnLanguageSelected OnLanguageSelected;
  // The scanned languages, sorted.
  QList<TLanguageInfo> Languages;
  // Base name of the program's catalogues; empty means the executable's name.
  QString ProgramBaseName;

  // Start-up choice: installs the catalogue for languageCode (or the detected
  // one) and returns the reading direction the application must take, or
  // nothing when the direction code asks to leave it unchanged.
  std::optional<Qt::LayoutDirection> InitLanguage(const QString& folder, const QString& languageCode,
                                                  const QString& biDiCode);
  // Installs the catalogues for code, else fallback; returns whether the
  // program's own catalogue was installed.
  bool LoadTranslation(const QString& folder, const QString& code, const QString& fallback);
  void Scan(const QString& languagesFolder, const QString& flagsFolder);
  // The Language menu entries, in order; also refills MenuCodes.
  QList<TLanguageMenuEntry> BuildMenu();
  // Raises OnLanguageSelected with the code of the entry with this tag.
  void LanguageItemClick(int tag) const;
  bool FindLanguage(const QString& code, TLanguageInfo& info) const;

  QString BaseName() const;

  static QString GetMenuCaption(const TLanguageInfo& info);
  static Qt::LayoutDirection GetLanguageDirection(const QString& code);
  // "digrex.pt_BR.po" -> "pt_BR"; a name with one dot has no code.
  static QString CodeFromFileName(const QString& fileName);
  static QString CatalogueFileName(const QString& folder, const QString& baseName, const QString& code);
  // The header entry's lines, unescaped; false when no header was found.
  static bool ReadHeaderLines(const QString& path, QStringList& lines);
  // Fills info from the file name and header; false when the file has no code or no header.
  static bool ReadLanguageInfo(const QString& path, TLanguageInfo& info);
  static bool CompareLanguages(const TLanguageInfo& a, const TLanguageInfo& b);
};

// The process-wide language catalogue.
extern TLanguages LanguageCatalogue;

// Names of the toolkit's catalogues below the languages folder.
inline constexpr char16_t ToolkitCatalogueFolder[] = u"Qt";
inline constexpr char16_t ToolkitCatalogueBaseName[] = u"qtbase";
