// Choosing a language from the menu: the setting and the notice.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include "i18n/Languages.h"
#include "settings/LanguageChoice.h"
#include "settings/Settings.h"

using namespace Qt::StringLiterals;

namespace {
TEST(LanguageChoice, StoresCodeAndComposesNotice) {
  QTemporaryDir dir;
  QFile file(dir.filePath(u"digrex.de.po"_s));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("msgid \"\"\nmsgstr \"\"\n\"X-Language-Name: German\\n\"\n\"X-Language-Name-Native: Deutsch\\n\"\n"
             "\"X-Translators: Hans\\n\"\n");
  file.close();
  TLanguages languages;
  languages.Scan(dir.path(), dir.path());

  TSettings settings;
  settings.LanguageCode = u"de"_s;
  EXPECT_EQ(ApplyLanguageChoice(settings, languages, u"de"_s), QString());
  EXPECT_EQ(ApplyLanguageChoice(settings, languages, u"DE"_s),
            u"You have selected a different language.\r\n\r\nPlease restart the application.\r\n\r\n"
            "Language: German - Deutsch\r\nTranslators: Hans"_s);
  EXPECT_EQ(settings.LanguageCode, u"DE"_s);
  EXPECT_EQ(ApplyLanguageChoice(settings, languages, u"AUTOMATIC"_s),
            u"You have selected a different language.\r\n\r\nPlease restart the application."_s);
  EXPECT_EQ(settings.LanguageCode, u"AUTOMATIC"_s);
}

TEST(LanguageChoice, Folders) {
  EXPECT_TRUE(LanguagesFolder().endsWith(u"/Languages"_s));
  EXPECT_EQ(FlagsFolder(), LanguagesFolder() + u"/Flags"_s);
}
}  // namespace
