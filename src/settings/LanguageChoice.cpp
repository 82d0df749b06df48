#include "settings/LanguageChoice.h"

#include "i18n/AsciiText.h"
#include "i18n/Languages.h"
#include "settings/DataFolder.h"
#include "settings/Settings.h"

QString LanguagesFolder() { return GetProgramFolder() + QStringLiteral("Languages"); }
QString FlagsFolder() { return GetProgramFolder() + QStringLiteral("Languages/Flags"); }

std::optional<Qt::LayoutDirection> InitProgramLanguage(const TSettings& settings, TLanguages& languages) {
  return languages.InitLanguage(LanguagesFolder(), settings.LanguageCode, settings.BiDiCode);
}

QString ApplyLanguageChoice(TSettings& settings, const TLanguages& languages, const QString& code) {
  if (code == settings.LanguageCode) return {};
  settings.LanguageCode = code;
  // Fixed English: the new language is not loaded yet.
  QString message = QStringLiteral("You have selected a different language.\r\n\r\nPlease restart the application.\r\n");
  TLanguageInfo info;
  if (languages.FindLanguage(code, info)) {
    message += QStringLiteral("\r\nLanguage: ") + TLanguages::GetMenuCaption(info);
    if (!info.Translators.isEmpty()) message += QStringLiteral("\r\nTranslators: ") + info.Translators;
  }
  return TrimBlanks(message);
}
