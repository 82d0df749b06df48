#pragma once
// Glue between the settings and the language catalogue, which knows nothing
// of the settings.
#include <QString>
#include <Qt>
#include <optional>

class TSettings;
class TLanguages;

// Start-up: LanguageCatalogue.InitLanguage with the program folder followed by
// "Languages" and the settings' LanguageCode and BiDiCode. The caller applies
// the returned direction with QGuiApplication::setLayoutDirection (nothing
// returned: leave it). Needs the application object for the toolkit's texts.
std::optional<Qt::LayoutDirection> InitProgramLanguage(const TSettings& settings, TLanguages& languages);

// The languages folder and the flags folder beside the executable.
QString LanguagesFolder();
QString FlagsFolder();

// What the main window does when the user picks a language: stores the code in
// the settings and returns the notice to show in an information box (already
// trimmed), or an empty text when the code is the one already set.
QString ApplyLanguageChoice(TSettings& settings, const TLanguages& languages, const QString& code);
