#include "settings/LanguageChoice.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "i18n/AsciiText.h"
#include "i18n/Languages.h"
#include "i18n/Translator.h"
#include "settings/DataFolder.h"
#include "settings/Settings.h"

QString LanguagesFolder() { return GetProgramFolder() + QStringLiteral("Languages"); }
QString FlagsFolder() { return GetProgramFolder() + QStringLiteral("Languages/Flags"); }

QStringList WithoutLanguageOptions(const QStringList& arguments) {
  QList<bool> option(arguments.size(), false);
  for (qsizetype i = 0; i + 1 < arguments.size(); ++i)
    if (arguments[i] == u"--LANG" || arguments[i] == u"--lang") option[i] = option[i + 1] = true;
  QStringList paths;
  for (qsizetype i = 0; i < arguments.size(); ++i)
    if (!option[i]) paths << arguments[i];
  return paths;
}

QStringList ShorterLanguageCodes(const QString& code) {
  QStringList shorter;
  QString rest = code;
  const qsizetype encoding = rest.indexOf(QRegularExpression(QStringLiteral("[.@]")));
  if (encoding >= 0) {
    rest.truncate(encoding);
    if (!rest.isEmpty()) shorter << rest;
  }
  const qsizetype territory = rest.indexOf(QRegularExpression(QStringLiteral("[_-]")));
  if (territory > 0) shorter << rest.left(territory);
  return shorter;
}

std::optional<Qt::LayoutDirection> InitProgramLanguage(const TSettings& settings, TLanguages& languages) {
  return InitProgramLanguage(settings, languages, LanguagesFolder());
}

std::optional<Qt::LayoutDirection> InitProgramLanguage(const TSettings& settings, TLanguages& languages,
                                                       const QString& folder) {
  const bool automatic = settings.LanguageCode.isEmpty() || SameTextAscii(settings.LanguageCode, u"AUTOMATIC");
  QString code, fallback;
  if (automatic && GetLanguageCodes(code, fallback)) {
    auto exists = [&](const QString& c) {
      return !c.isEmpty() && QFileInfo(TLanguages::CatalogueFileName(folder, languages.BaseName(), c)).isFile();
    };
    if (!exists(code) && !exists(fallback)) {
      for (const QString& shorter : ShorterLanguageCodes(code)) {
        if (!exists(shorter)) continue;
        const std::optional<Qt::LayoutDirection> direction = languages.InitLanguage(folder, shorter, settings.BiDiCode);
        languages.LanguageCode = QStringLiteral("AUTOMATIC");
        return direction;
      }
    }
  }
  return languages.InitLanguage(folder, settings.LanguageCode, settings.BiDiCode);
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
