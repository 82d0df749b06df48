#pragma once
// Installing a catalogue: the resource strings are replaced at once, and a
// form-text translator is put into the one slot that windows ask while they
// are created. Language detection from the command line, LANG and the locale.
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "i18n/Catalogue.h"

// Form texts: TTranslator answers for keys such as
// "TFORMMAIN.ACTIONADDFILES.CAPTION" (window class, nested object names,
// property; a collection item adds "[index]" after the collection's name).
class TTranslator {
 public:
  explicit TTranslator(const QString& path);
  explicit TTranslator(TCatalogue catalogue);

  // The translation of text under key; text itself when the key is empty or
  // the catalogue has no usable translation.
  QString TranslateFormText(const QString& key, const QString& text) const;
  const TCatalogue& Catalogue() const { return Catalogue_; }

 private:
  TCatalogue Catalogue_;
};

// Builds a form-text key: the names joined by dots, ASCII letters in upper case.
// FormTextKey({"TFormLogViewer", "ListView", "Columns[0]", "Caption"})
//   == "TFORMLOGVIEWER.LISTVIEW.COLUMNS[0].CAPTION"
QString FormTextKey(const QStringList& names);

// The installed form-text translator, or nullptr before SetupTranslation.
const TTranslator* InstalledTranslator();
// What windows call for each translatable text while they are built: the
// installed translator's answer, or text unchanged when none is installed.
QString TranslateFormText(const QString& key, const QString& text);
// Sees every (key, English text) that windows ask TranslateFormText for; the
// template writer collects the form texts this way. Empty: none.
using TFormTextObserver = std::function<void(const QString& key, const QString& text)>;
void SetFormTextObserver(TFormTextObserver observer);

// Replaces every resource string from the catalogue at path and installs a
// form-text translator for it (freeing an earlier one). An unreadable file
// acts as an empty catalogue: the texts stay as they are.
void SetupTranslation(const QString& path);

// Applies a catalogue to the toolkit's own texts (standard dialog and button
// texts) by installing a translator into the application object. Entries are
// matched by msgctxt (the toolkit's context) and msgid. Returns false when the
// file is missing or unreadable, or no application object exists yet.
bool TranslateToolkitCatalogue(const QString& path);
// Installs Qt's own catalogue for the language (standard dialogs and buttons), where Qt ships one.
bool TranslateToolkitFromQt(const QString& code);

// Frees the form-text and toolkit translators (program end, tests).
void RemoveTranslations();

// The detected language: arguments without the program name, the value of
// LANG (empty if unset) and the user's locale. Returns whether code or
// fallback is non-empty.
bool GetLanguageCodes(const QStringList& arguments, const QString& langVariable, const QLocale& locale,
                      QString& code, QString& fallback);
// The same with the process's command line, environment and system locale.
bool GetLanguageCodes(QString& code, QString& fallback);
