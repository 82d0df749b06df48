#pragma once
// The screenshot programs' "--lang <code>" option: loads that catalogue as the
// program does at start-up, so the pictures show the translated windows.
#include <QGuiApplication>
#include <QStringList>

#include "i18n/Languages.h"
#include "settings/LanguageChoice.h"

// Takes the option out of args; returns the suffix for the picture names ("-de"),
// empty without the option.
inline QString ApplyScreenshotLanguage(QStringList& args) {
  const qsizetype lang = args.indexOf(QStringLiteral("--lang"));
  if (lang < 0 || lang + 1 >= args.size()) return {};
  const QString code = args[lang + 1];
  args.remove(lang, 2);
  // The catalogues are named after the program, not after the screenshot tool.
  LanguageCatalogue.ProgramBaseName = QStringLiteral("digrex");
  if (const auto direction = LanguageCatalogue.InitLanguage(LanguagesFolder(), code, QString()))
    QGuiApplication::setLayoutDirection(*direction);
  return u'-' + code;
}
