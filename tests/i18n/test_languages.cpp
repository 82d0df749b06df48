// Language detection, catalogue names and headers, the folder scan, the menu
// entries and the start-up choice of the language.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "i18n/Languages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"

using namespace Qt::StringLiterals;

namespace {
void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

QByteArray Header(const QByteArray& lines) {
  return "# comment\nmsgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n" + lines +
         "\n#: fmain.sstatusfinished\nmsgid \"Finished\"\nmsgstr \"Erledigt\"\n";
}

TEST(LanguageCodes, Detection) {
  const QLocale german(QLocale::German, QLocale::Germany);
  const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
  const QLocale c(QLocale::C);
  struct Case {
    QStringList args;
    QString lang;
    QLocale locale;
    QString code, fallback;
    bool found;
  } cases[] = {
      {{u"--lang"_s, u"de"_s}, u"fr_FR"_s, brazil, u"de"_s, {}, true},  // command line before LANG
      {{u"a"_s, u"--lang"_s, u"de"_s, u"--LANG"_s, u"fr"_s}, {}, c, u"fr"_s, {}, true},  // last one wins
      {{u"file"_s, u"--LANG"_s}, u"es"_s, brazil, u"es"_s, {}, true},  // option as last argument ignored
      {{u"--Lang"_s, u"de"_s}, {}, brazil, u"pt_BR"_s, u"pt"_s, true},  // mixed case not recognised
      {{u"--lang=de"_s}, {}, german, u"de_DE"_s, u"de"_s, true},
      {{}, u"de_DE.UTF-8"_s, german, u"de_DE.UTF-8"_s, {}, true},  // LANG used whole, no fallback
      {{u"--lang"_s, QString()}, u"it"_s, c, u"it"_s, {}, true},
      {{}, {}, c, {}, {}, false},
  };
  for (const Case& t : cases) {
    QString code = u"junk"_s, fallback = u"junk"_s;
    EXPECT_EQ(GetLanguageCodes(t.args, t.lang, t.locale, code, fallback), t.found) << t.args.join(u' ').toStdString();
    EXPECT_EQ(code, t.code) << t.args.join(u' ').toStdString();
    EXPECT_EQ(fallback, t.fallback) << t.args.join(u' ').toStdString();
  }
}

TEST(LanguageCodes, Direction) {
  const std::pair<const char*, Qt::LayoutDirection> cases[] = {
      {"ar", Qt::RightToLeft},     {"AR_eg", Qt::RightToLeft},      {"he-IL", Qt::RightToLeft},
      {"az_Latn", Qt::RightToLeft}, {"ur", Qt::RightToLeft},        {"ug", Qt::RightToLeft},
      {"zh-Hant-TW", Qt::LeftToRight}, {"de", Qt::LeftToRight},     {"", Qt::LeftToRight},
      {"arabic", Qt::LeftToRight}, {"en-ar_x", Qt::LeftToRight},    {"fa-IR_x", Qt::RightToLeft},
  };
  for (const auto& [code, direction] : cases)
    EXPECT_EQ(TLanguages::GetLanguageDirection(QString::fromLatin1(code)), direction) << code;
}

TEST(LanguageCatalogueNames, CodeFromFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"digrex.pt_BR.po", "pt_BR"}, {"/x.y/digrex.de.PO", "de"}, {"digrex.po", ""}, {"a.b.c.po", "c"},
      {".de.po", "de"},             {"digrex.de", "de"},         {"digrex", ""},
  };
  for (const auto& [name, code] : cases)
    EXPECT_EQ(TLanguages::CodeFromFileName(QString::fromLatin1(name)), QString::fromLatin1(code)) << name;
  EXPECT_EQ(TLanguages::CatalogueFileName(u"/l"_s, u"digrex"_s, u"de"_s), u"/l/digrex.de.po"_s);
  EXPECT_EQ(TLanguages::CatalogueFileName(u"/l/"_s, u"digrex"_s, QString()), u"/l/digrex..po"_s);
}

TEST(LanguageCatalogueNames, HeaderFields) {
  QTemporaryDir dir;
  struct Case {
    const char* name;
    QByteArray content;
    bool found;
    TLanguageInfo expected;
  } cases[] = {
      {"digrex.de.po",
       Header("\"Language: de\\n\"\n\"X-Language-Name: German\\n\"\n\"X-Language-Name-Native: Deutsch\\n\"\n"
              "\"x-country:  DE \\n\"\n\"X-Country-Name: Germany\\n\"\n\"X-Translators: Hans \\\"H\\\" M\xC3\xBCller\\n\"\n"),
       true,
       {{}, u"de"_s, {}, u"DE"_s, u"Germany"_s, u"de"_s, u"German"_s, u"Deutsch"_s, u"Hans \"H\" Müller"_s}},
      // a later line replaces an earlier one; a line with several fields gives its first only
      {"digrex.fr.po", Header("\"X-Language-Name: Old\\n\"\n\"X-LANGUAGE-NAME: French\\nX-Country: FR\\n\"\n"), true,
       {{}, u"fr"_s, {}, {}, {}, {}, u"French"_s, {}, {}}},
      // header on the msgstr line itself, CR LF line ends
      {"digrex.it.po", "msgid \"\"\r\nmsgstr \"X-Language-Name: Italian\\n\"\r\n", true,
       {{}, u"it"_s, {}, {}, {}, {}, u"Italian"_s, {}, {}}},
      {"digrex.xx.po", "#: a.b\nmsgid \"A\"\nmsgstr \"B\"\n", false, {}},       // no header
      {"digrex.po", Header("\"X-Language-Name: German\\n\"\n"), false, {}},     // no code
      {"digrex.yy.po", " msgid \"\"\nmsgstr \"X-Language-Name: Y\\n\"\n", false, {}},  // msgid must start the line
  };
  for (Case& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    WriteFile(path, c.content);
    TLanguageInfo info;
    EXPECT_EQ(TLanguages::ReadLanguageInfo(path, info), c.found) << c.name;
    if (!c.found) continue;
    c.expected.FileName = path;
    const QString TLanguageInfo::*fields[] = {&TLanguageInfo::FileName,    &TLanguageInfo::Code,
                                              &TLanguageInfo::FlagFile,    &TLanguageInfo::Country,
                                              &TLanguageInfo::CountryName, &TLanguageInfo::Language,
                                              &TLanguageInfo::LanguageName, &TLanguageInfo::LanguageNameNative,
                                              &TLanguageInfo::Translators};
    for (auto field : fields) EXPECT_EQ(info.*field, c.expected.*field) << c.name;
  }
}

class LanguageFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = Dir.filePath(u"Languages"_s);
    Flags = Folder + u"/Flags"_s;
    WriteFile(Folder + u"/digrex.de.po"_s,
              Header("\"X-Language-Name: German\\n\"\n\"X-Language-Name-Native: Deutsch\\n\"\n\"X-Country: DE\\n\"\n"
                     "\"X-Translators: Hans\\n\"\n"));
    WriteFile(Folder + u"/digrex.pt_BR.po"_s,
              Header("\"X-Language-Name: Portuguese\\n\"\n\"X-Country: BR\\n\"\n\"X-Country-Name: Brazil\\n\"\n"));
    WriteFile(Folder + u"/digrex.pt_PT.po"_s,
              Header("\"X-Language-Name: portuguese\\n\"\n\"X-Country: PT\\n\"\n\"X-Country-Name: Portugal\\n\"\n"));
    WriteFile(Folder + u"/other.fr.po"_s, Header("\"X-Language-Name: French\\n\"\n"));
    WriteFile(Folder + u"/digrex.nn.PO"_s, Header("\"Language: nn\\n\"\n"));
    WriteFile(Folder + u"/digrex.po"_s, Header("\"X-Language-Name: NoCode\\n\"\n"));
    WriteFile(Folder + u"/digrex.xx.po"_s, "msgid \"A\"\nmsgstr \"B\"\n");
    WriteFile(Folder + u"/sub/digrex.it.po"_s, Header("\"X-Language-Name: Italian\\n\"\n"));
    WriteFile(Folder + u"/notes.txt"_s, Header("\"X-Language-Name: Text\\n\"\n"));
    WriteFile(Flags + u"/de.png"_s, "png");
    WriteFile(Flags + u"/br.png"_s, "png");
  }
  QTemporaryDir Dir;
  QString Folder, Flags;
};

TEST_F(LanguageFolder, ScanListsSortsAndFindsFlags) {
  TLanguages languages;
  languages.Scan(Folder, Flags);
  QStringList codes;
  for (const TLanguageInfo& info : languages.Languages) codes << info.Code;
  EXPECT_EQ(codes, (QStringList{u"nn"_s, u"fr"_s, u"de"_s, u"pt_BR"_s, u"pt_PT"_s}));

  TLanguageInfo info;
  ASSERT_TRUE(languages.FindLanguage(u"PT_br"_s, info));
  EXPECT_EQ(info.FlagFile, Flags + u"/br.png"_s);
  EXPECT_EQ(info.FileName, Folder + u"/digrex.pt_BR.po"_s);
  EXPECT_EQ(TLanguages::GetMenuCaption(info), u"Portuguese"_s);
  ASSERT_TRUE(languages.FindLanguage(u"de"_s, info));
  EXPECT_EQ(TLanguages::GetMenuCaption(info), u"German - Deutsch"_s);
  ASSERT_TRUE(languages.FindLanguage(u"nn"_s, info));
  EXPECT_EQ(TLanguages::GetMenuCaption(info), u"[nn]"_s);
  EXPECT_FALSE(languages.FindLanguage(u"AUTOMATIC"_s, info));
  EXPECT_FALSE(languages.FindLanguage(u"default"_s, info));
  EXPECT_FALSE(languages.FindLanguage(u"it"_s, info));

  languages.Scan(Dir.filePath(u"missing"_s), Flags);
  EXPECT_TRUE(languages.Languages.isEmpty());
}

TEST_F(LanguageFolder, MenuEntries) {
  TLanguages languages;
  languages.Scan(Folder, Flags);

  struct Case {
    QString languageCode;
    QString checked;
  } cases[] = {{u"AUTOMATIC"_s, u"AUTOMATIC"_s}, {u"default"_s, u"DEFAULT"_s}, {u"DE"_s, u"de"_s}, {u"zz"_s, {}}};
  for (const Case& c : cases) {
    languages.LanguageCode = c.languageCode;
    const QList<TLanguageMenuEntry> entries = languages.BuildMenu();
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[0].Caption, u"Original (English)"_s);
    EXPECT_EQ(entries[1].Caption, u"Autodetect"_s);
    EXPECT_TRUE(entries[2].Separator);
    EXPECT_EQ(entries[2].Caption, u"-"_s);
    EXPECT_EQ(entries[5].Caption, u"German - Deutsch"_s);
    QString checked;
    for (const TLanguageMenuEntry& e : entries) {
      EXPECT_EQ(languages.MenuCodes.value(e.Tag), e.Code);
      if (e.Checked) checked += e.Code;
    }
    EXPECT_EQ(checked, c.checked) << c.languageCode.toStdString();
    // A ticked entry shows no flag; missing pictures are left out.
    EXPECT_EQ(entries[5].FlagFile, c.checked == u"de"_s ? QString() : Flags + u"/de.png"_s);
    EXPECT_EQ(entries[6].FlagFile, Flags + u"/br.png"_s);
    EXPECT_EQ(entries[7].FlagFile, QString());
  }

  QStringList selected;
  languages.OnLanguageSelected = [&](const QString& code) { selected << code; };
  const QList<TLanguageMenuEntry> entries = languages.BuildMenu();
  languages.LanguageItemClick(entries[6].Tag);
  languages.LanguageItemClick(entries[0].Tag);
  languages.LanguageItemClick(99);
  EXPECT_EQ(selected, (QStringList{u"pt_BR"_s, u"DEFAULT"_s}));
}

TEST(LanguageMenu, WithoutCataloguesOnlyEnglish) {
  TLanguages languages;
  QTemporaryDir dir;
  languages.Scan(dir.path(), dir.path());
  languages.LanguageCode = u"AUTOMATIC"_s;
  const QList<TLanguageMenuEntry> entries = languages.BuildMenu();
  ASSERT_EQ(entries.size(), 1);
  EXPECT_EQ(entries[0].Code, u"DEFAULT"_s);
  EXPECT_FALSE(entries[0].Checked);
}

class InitLanguageTest : public LanguageFolder {
 protected:
  void SetUp() override {
    LanguageFolder::SetUp();
    Languages.ProgramBaseName = u"digrex"_s;
    ResetResourceStrings();
    RemoveTranslations();
    SavedLang = qgetenv("LANG");
  }
  void TearDown() override {
    qputenv("LANG", SavedLang);
    ResetResourceStrings();
    RemoveTranslations();
  }
  TLanguages Languages;
  QByteArray SavedLang;
};

TEST_F(InitLanguageTest, ChosenCodeInstallsItsCatalogue) {
  EXPECT_EQ(Languages.InitLanguage(Folder, u"de"_s, QString()), Qt::LeftToRight);
  EXPECT_EQ(Languages.LanguageCode, u"de"_s);
  EXPECT_EQ(Languages.BiDiCode, u"AUTO"_s);
  EXPECT_NE(InstalledTranslator(), nullptr);
  EXPECT_NE(RS(rs::fmain_sstatusfinished), u"Finished"_s);
}

TEST_F(InitLanguageTest, DirectionCodes) {
  struct Case {
    QString language, direction;
    std::optional<Qt::LayoutDirection> expected;
  } cases[] = {
      {u"ar"_s, QString(), Qt::RightToLeft},         // no Arabic catalogue: English texts, right to left
      {u"DEFAULT"_s, u"rtl"_s, Qt::RightToLeft},
      {u"he"_s, u"LTR"_s, Qt::LeftToRight},
      {u"ar"_s, u"Auto"_s, Qt::RightToLeft},
      {u"ar"_s, u"sideways"_s, std::nullopt},        // unknown direction code: leave it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Languages.InitLanguage(Folder, c.language, c.direction), c.expected) << c.language.toStdString();
    EXPECT_EQ(InstalledTranslator(), nullptr);
    EXPECT_EQ(RS(rs::fmain_sstatusfinished), u"Finished"_s);
  }
}

TEST_F(InitLanguageTest, AutomaticUsesLangVariable) {
  qputenv("LANG", "pt_BR");
  EXPECT_EQ(Languages.InitLanguage(Folder, QString(), QString()), Qt::LeftToRight);
  EXPECT_EQ(Languages.LanguageCode, u"AUTOMATIC"_s);
  EXPECT_NE(InstalledTranslator(), nullptr);
}

TEST_F(InitLanguageTest, FallbackCode) {
  EXPECT_TRUE(Languages.LoadTranslation(Folder, u"de_AT"_s, u"de"_s));
  RemoveTranslations();
  // Only names built from the program's base name count.
  EXPECT_FALSE(Languages.LoadTranslation(Folder, u"fr"_s, QString()));
  EXPECT_EQ(InstalledTranslator(), nullptr);
  EXPECT_FALSE(Languages.LoadTranslation(Folder, u"de_AT"_s, QString()));
}
}  // namespace
