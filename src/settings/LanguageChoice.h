#pragma once
// Glue between the settings and the language catalogue, which knows nothing
// of the settings.
#include <QString>
#include <QStringList>
#include <Qt>
#include <optional>

class TSettings;
class TLanguages;

// Start-up: LanguageCatalogue.InitLanguage with the program folder followed by
// "Languages" and the settings' LanguageCode and BiDiCode. The caller applies
// the returned direction with QGuiApplication::setLayoutDirection (nothing
// returned: leave it). Needs the application object for the toolkit's texts.
//
// Detection gives codes such as LANG's "de_DE.UTF-8", for which no catalogue is
// named: when neither the detected code nor its fallback has a catalogue, the
// shorter forms of the code ("de_DE", then "de") are tried. The menu still
// shows "Autodetect" as the choice.
std::optional<Qt::LayoutDirection> InitProgramLanguage(const TSettings& settings, TLanguages& languages);
// The same with another languages folder.
std::optional<Qt::LayoutDirection> InitProgramLanguage(const TSettings& settings, TLanguages& languages,
                                                       const QString& folder);

// The command line without the language options: every "--lang" or "--LANG"
// that has an argument after it goes, with that argument, as language detection
// reads them; what remains are the paths to queue.
QStringList WithoutLanguageOptions(const QStringList& arguments);

// The shorter forms of a locale code, longest first, without the code itself:
// "de_DE.UTF-8@euro" -> {"de_DE", "de"}, "pt-BR" -> {"pt"}, "de" -> {}.
QStringList ShorterLanguageCodes(const QString& code);

// The languages folder and the flags folder beside the executable.
QString LanguagesFolder();
QString FlagsFolder();

// What the main window does when the user picks a language: stores the code in
// the settings and returns the notice to show in an information box (already
// trimmed), or an empty text when the code is the one already set.
QString ApplyLanguageChoice(TSettings& settings, const TLanguages& languages, const QString& code);
