// Start-up with a detected locale code such as LANG's "de_DE.UTF-8": the
// catalogue of the language is found through the shorter forms of the code.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include "i18n/Languages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"
#include "settings/LanguageChoice.h"
#include "settings/Settings.h"

using namespace Qt::StringLiterals;

namespace {

TEST(LanguageCodeForms, ShorterCodes) {
  const struct {
    QString code;
    QStringList shorter;
  } cases[] = {
      {u"de_DE.UTF-8"_s, {u"de_DE"_s, u"de"_s}},
      {u"de_DE.UTF-8@euro"_s, {u"de_DE"_s, u"de"_s}},
      {u"sr_RS@latin"_s, {u"sr_RS"_s, u"sr"_s}},
      {u"he_IL"_s, {u"he"_s}},
      {u"pt-BR"_s, {u"pt"_s}},
      {u"de"_s, {}},
      {u"C.UTF-8"_s, {u"C"_s}},
      {u".UTF-8"_s, {}},
      {u"_DE"_s, {}},
      {QString(), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ShorterLanguageCodes(c.code), c.shorter) << c.code.toStdString();
}

// "--lang he" chooses the language and is no path to hash.
TEST(LanguageCodeForms, CommandLineWithoutLanguageOptions) {
  const struct {
    QStringList arguments, paths;
  } cases[] = {
      {{u"--lang"_s, u"de"_s, u"/a"_s}, {u"/a"_s}},
      {{u"/a"_s, u"--LANG"_s, u"he"_s, u"/b"_s, u"--lang"_s, u"de"_s}, {u"/a"_s, u"/b"_s}},
      // Not an option: other letter cases, the "=" form, and a last "--lang" without a code.
      {{u"--Lang"_s, u"de"_s, u"--lang=de"_s}, {u"--Lang"_s, u"de"_s, u"--lang=de"_s}},
      {{u"/a"_s, u"--lang"_s}, {u"/a"_s, u"--lang"_s}},
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(WithoutLanguageOptions(c.arguments), c.paths) << c.arguments.join(u' ').toStdString();
}

// A languages folder with catalogues for the given codes; each translates
// "Finished" into "Finished (<code>)".
class LanguageFallback : public ::testing::Test {
 protected:
  void TearDown() override {
    RemoveTranslations();
    ResetResourceStrings();
    if (OldLang.isNull())
      qunsetenv("LANG");
    else
      qputenv("LANG", OldLang);
  }

  void AddCatalogue(const QString& code) {
    QFile file(Dir.filePath(u"digrex."_s + code + u".po"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("msgid \"\"\nmsgstr \"\"\n\"Language: " + code.toUtf8() +
               "\\n\"\n\n#: fmain.sstatusfinished\nmsgid \"Finished\"\nmsgstr \"Finished (" + code.toUtf8() +
               ")\"\n");
  }

  // Starts with LANG set to lang and the given settings; returns the status text "Finished" as translated.
  QString StartWith(const QString& lang, const QString& languageCode = QString()) {
    qputenv("LANG", lang.toUtf8());
    TSettings settings;
    settings.SetDefaults();
    settings.LanguageCode = languageCode;
    Direction = InitProgramLanguage(settings, Languages, Dir.path());
    return RS(rs::fmain_sstatusfinished);
  }

  QByteArray OldLang = qgetenv("LANG");
  QTemporaryDir Dir;
  TLanguages Languages = [] {
    TLanguages languages;
    languages.ProgramBaseName = u"digrex"_s;
    return languages;
  }();
  std::optional<Qt::LayoutDirection> Direction;
};

TEST_F(LanguageFallback, LocaleVariableFindsLanguageCatalogue) {
  AddCatalogue(u"de"_s);
  EXPECT_EQ(StartWith(u"de_DE.UTF-8"_s), u"Finished (de)"_s);
  // The menu still ticks "Autodetect", not the language found.
  EXPECT_EQ(Languages.LanguageCode, u"AUTOMATIC"_s);
  EXPECT_EQ(Direction, Qt::LeftToRight);
}

TEST_F(LanguageFallback, LongestMatchingCodeWins) {
  AddCatalogue(u"de"_s);
  AddCatalogue(u"de_AT"_s);
  EXPECT_EQ(StartWith(u"de_AT.UTF-8"_s), u"Finished (de_AT)"_s);
  RemoveTranslations();
  ResetResourceStrings();
  AddCatalogue(u"de_AT.UTF-8"_s);
  EXPECT_EQ(StartWith(u"de_AT.UTF-8"_s), u"Finished (de_AT.UTF-8)"_s);
}

TEST_F(LanguageFallback, RightToLeftLanguageMirrors) {
  AddCatalogue(u"he"_s);
  EXPECT_EQ(StartWith(u"he_IL.UTF-8"_s), u"Finished (he)"_s);
  EXPECT_EQ(Direction, Qt::RightToLeft);
}

TEST_F(LanguageFallback, NoCatalogueOrChosenLanguageLeavesDetectionAlone) {
  AddCatalogue(u"de"_s);
  // No catalogue for the language: English.
  EXPECT_EQ(StartWith(u"fr_FR.UTF-8"_s), u"Finished"_s);
  EXPECT_EQ(StartWith(u"C.UTF-8"_s), u"Finished"_s);
  // A language chosen in the menu is used as it is; "DEFAULT" keeps English.
  EXPECT_EQ(StartWith(u"fr_FR.UTF-8"_s, u"DEFAULT"_s), u"Finished"_s);
  EXPECT_EQ(StartWith(u"de_DE.UTF-8"_s, u"DEFAULT"_s), u"Finished"_s);
  EXPECT_EQ(StartWith(u"de_DE.UTF-8"_s, u"de_DE"_s), u"Finished"_s);
  EXPECT_EQ(Languages.LanguageCode, u"de_DE"_s);
}

}  // namespace
