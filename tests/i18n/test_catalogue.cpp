// Reading PO catalogues, the lookup rule, and installing a catalogue.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "i18n/Catalogue.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"

using namespace Qt::StringLiterals;

namespace {
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

// One catalogue holding the cases of the format the program relies on.
const char kCatalogue[] =
    "# translator comment\n"
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\"Language: de\\n\"\n"
    "\n"
    "#: fmain:sstatusfinished\n"
    "msgid \"Finished\"\n"
    "msgstr \"Fertig\"\n"
    "\n"
    "#: tformmain.actionaddfiles.caption\n"
    "msgid \"Add files...\"\n"
    "msgstr \"Dateien hinzuf\xC3\xBCgen...\"\n"
    "\n"
    "#: tformlogviewer.listview.columns[0].caption\n"
    "msgid \"Name\"\n"
    "msgstr \"Dateiname\"\n"
    "\n"
    "#: fmain.sfuzzy\n"
    "#, fuzzy, c-format\n"
    "msgid \"Fuzzy text\"\n"
    "msgstr \"Unsicherer Text\"\n"
    "\n"
    "#: fmain.sbad\n"
    "#, BadFormat\n"
    "msgid \"Bad text\"\n"
    "msgstr \"Schlechter Text\"\n"
    "\n"
    "#: fmain.suntranslated\n"
    "msgid \"Untranslated\"\n"
    "msgstr \"\"\n"
    "\n"
    "msgid \"Only by source\"\n"
    "msgstr \"Nur nach Quelltext\"\n"
    "\n"
    "#: fmain.smultiline\n"
    "msgid \"\"\n"
    "\"First \"\n"
    "\"second\"\n"
    "msgstr \"\"\n"
    "\"Erste \"\n"
    "\"zweite\"\n"
    "\n"
    "#: fmain.sescapes\n"
    "msgid \"Escapes\"\n"
    "msgstr \"a\\\"b\\\\c\\nd\\te\\qf\"\n"
    "#: fmain.snoblankline\n"
    "msgid \"No blank line\"\n"
    "msgstr \"Keine Leerzeile\"\n"
    "\n"
    "#: fmain.sfirst\n"
    "msgid \"Twice\"\n"
    "msgstr \"Erstes\"\n"
    "\n"
    "#: fmain.sfirst\n"
    "msgid \"Twice again\"\n"
    "msgstr \"Zweites\"\n"
    "\n"
    "msgctxt \"QPlatformTheme\"\n"
    "msgid \"OK\"\n"
    "msgstr \"Gut\"\n"
    "\n"
    "#: fmain.splural\n"
    "msgid \"%d file\"\n"
    "msgid_plural \"%d files\"\n"
    "msgstr[0] \"%d Datei\"\n"
    "msgstr[1] \"%d Dateien\"\n"
    "\n"
    "#~ msgid \"Obsolete\"\n"
    "#~ msgstr \"Veraltet\"\n";

TEST(Catalogue, LookupRule) {
  TCatalogue cat;
  cat.LoadFromData(QByteArray(kCatalogue));
  struct Case {
    const char* key;
    const char* source;
    QString expected;
  } cases[] = {
      {"fmain.sstatusfinished", "Finished", u"Fertig"_s},                  // ':' in the reference read as '.'
      {"FMAIN.SSTATUSFINISHED", "whatever", u"Fertig"_s},                  // key wins over source, any case
      {"TFORMMAIN.ACTIONADDFILES.CAPTION", "Add files...", u"Dateien hinzufügen..."_s},  // UTF-8
      {"TFORMLOGVIEWER.LISTVIEW.COLUMNS[0].CAPTION", "Name", u"Dateiname"_s},
      {"fmain.sfuzzy", "Fuzzy text", u"Fuzzy text"_s},
      {"fmain.sbad", "Bad text", u"Bad text"_s},
      {"fmain.suntranslated", "Untranslated", u"Untranslated"_s},
      {"fmain.unknown", "Only by source", u"Nur nach Quelltext"_s},       // no reference, found by msgid
      {"fmain.unknown", "Unknown", u"Unknown"_s},
      {"fmain.smultiline", "", u"Erste zweite"_s},
      {"fmain.sescapes", "", u"a\"b\\c\nd\teqf"_s},
      {"fmain.snoblankline", "", u"Keine Leerzeile"_s},
      {"fmain.sfirst", "", u"Erstes"_s},                                   // first occurrence of an identifier
      {"x.y", "Twice again", u"Zweites"_s},
      {"fmain.splural", "%d file", u"%d file"_s},                         // plural forms are not used
      {"x.y", "Obsolete", u"Obsolete"_s},
      {"x.y", "", u""_s},                                                  // the header is no translation
  };
  for (const Case& c : cases)
    EXPECT_EQ(cat.Translate(QString::fromUtf8(c.key), QString::fromUtf8(c.source)), c.expected) << c.key << " / " << c.source;
}

TEST(Catalogue, FuzzyEntryFoundByKeyBlocksSourceMatch) {
  // The entry found by identifier decides, even if another entry has the source text.
  TCatalogue cat;
  cat.LoadFromData(
      "#: a.b\n#, fuzzy\nmsgid \"Text\"\nmsgstr \"Unsicher\"\n\n"
      "#: c.d\nmsgid \"Text\"\nmsgstr \"Sicher\"\n");
  EXPECT_EQ(cat.Translate(u"a.b"_s, u"Text"_s), u"Text"_s);
  EXPECT_EQ(cat.Translate(u"zz"_s, u"Text"_s), u"Text"_s);  // first entry with that msgid is the fuzzy one
  EXPECT_EQ(cat.Translate(u"c.d"_s, u"Text"_s), u"Sicher"_s);
}

TEST(Catalogue, LineEndsAndByteOrderMark) {
  for (QByteArray data : {QByteArray("\xEF\xBB\xBF#: a.b\r\nmsgid \"X\"\r\nmsgstr \"Y\"\r\n"),
                          QByteArray("#: a.b\rmsgid \"X\"\rmsgstr \"Y\"\r"),
                          QByteArray("  #: a.b  \n\tmsgid \"X\"\nmsgstr\t\"Y\"")}) {
    TCatalogue cat;
    cat.LoadFromData(data);
    EXPECT_EQ(cat.Translate(u"a.b"_s, u"?"_s), u"Y"_s) << data.constData();
  }
}

TEST(Catalogue, ContextLookupForToolkitTexts) {
  TCatalogue cat;
  cat.LoadFromData(QByteArray(kCatalogue));
  EXPECT_EQ(cat.FindInContext(u"QPlatformTheme"_s, u"OK"_s), u"Gut"_s);
  EXPECT_EQ(cat.FindInContext(u"Other"_s, u"OK"_s), QString());
  EXPECT_EQ(cat.FindInContext(u"Any"_s, u"Only by source"_s), u"Nur nach Quelltext"_s);
  EXPECT_EQ(cat.FindInContext(u"Any"_s, u"Fuzzy text"_s), QString());
}

TEST(Catalogue, UnreadableFileIsEmpty) {
  QTemporaryDir dir;
  TCatalogue missing(dir.filePath(u"none.po"_s));
  EXPECT_TRUE(missing.IsEmpty());
  TCatalogue folder(dir.path());
  EXPECT_TRUE(folder.IsEmpty());
  EXPECT_EQ(folder.Translate(u"a"_s, u"b"_s), u"b"_s);
}

TEST(Catalogue, Unescape) {
  struct Case {
    QString in, out;
  } cases[] = {
      {uR"(a\"b)"_s, u"a\"b"_s}, {uR"(a\\b)"_s, u"a\\b"_s}, {uR"(a\nb)"_s, u"a\r\nb"_s},
      {uR"(a\tb)"_s, u"a\tb"_s}, {uR"(a\xb)"_s, u"axb"_s},  {uR"(ab\)"_s, u"ab"_s},
      {uR"(\\n)"_s, u"\\n"_s},
  };
  for (const Case& c : cases) EXPECT_EQ(UnescapeCatalogueText(c.in), c.out) << c.in.toStdString();
  EXPECT_EQ(UnescapeCatalogueText(uR"(a\nb)"_s, u"\n"), u"a\nb"_s);
}

TEST(Translation, SetupReplacesResourceStringsAndInstallsFormTranslator) {
  QTemporaryDir dir;
  const QString path = WriteFile(dir, u"digrex.de.po"_s, QByteArray(kCatalogue));
  ResetResourceStrings();
  RemoveTranslations();
  EXPECT_EQ(InstalledTranslator(), nullptr);
  EXPECT_EQ(TranslateFormText(u"TFORMMAIN.ACTIONADDFILES.CAPTION"_s, u"Add files..."_s), u"Add files..."_s);

  SetupTranslation(path);
  EXPECT_EQ(RS(rs::fmain_sstatusfinished), u"Fertig"_s);
  EXPECT_EQ(RS(rs::fmain_sstatusworking), u"Working..."_s);  // not in the catalogue
  ASSERT_NE(InstalledTranslator(), nullptr);
  EXPECT_EQ(TranslateFormText(FormTextKey({u"TFormMain"_s, u"ActionAddFiles"_s, u"Caption"_s}), u"Add files..."_s),
            u"Dateien hinzufügen..."_s);
  EXPECT_EQ(TranslateFormText(QString(), u"Name"_s), u"Name"_s);  // no key: left alone
  EXPECT_EQ(TranslateFormText(u"TFORMX.LABEL.CAPTION"_s, u"Unknown"_s), u"Unknown"_s);

  // A second installation replaces the first translator.
  const QString other = WriteFile(dir, u"digrex.fr.po"_s, "#: tformmain.actionaddfiles.caption\nmsgid \"Add files...\"\nmsgstr \"Ajouter\"\n");
  SetupTranslation(other);
  EXPECT_EQ(TranslateFormText(u"TFORMMAIN.ACTIONADDFILES.CAPTION"_s, u"Add files..."_s), u"Ajouter"_s);

  RemoveTranslations();
  ResetResourceStrings();
}

TEST(Translation, FormTextKey) {
  EXPECT_EQ(FormTextKey({u"TFormLogViewer"_s, u"ListView"_s, u"Columns[0]"_s, u"Caption"_s}),
            u"TFORMLOGVIEWER.LISTVIEW.COLUMNS[0].CAPTION"_s);
}

TEST(Translation, ToolkitCatalogue) {
  QTemporaryDir dir;
  const QString path =
      WriteFile(dir, u"qtbase.de.po"_s, "msgctxt \"QPlatformTheme\"\nmsgid \"Cancel\"\nmsgstr \"Abbrechen\"\n");
  EXPECT_FALSE(TranslateToolkitCatalogue(path));  // no application object yet
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name, nullptr};
  {
    QCoreApplication app(argc, argv);
    EXPECT_FALSE(TranslateToolkitCatalogue(dir.filePath(u"missing.po"_s)));
    EXPECT_TRUE(TranslateToolkitCatalogue(path));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), u"Save"_s);
    RemoveTranslations();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_s);

    // Qt's own shipped catalogue, as LANG spells the language on Linux.
    EXPECT_FALSE(TranslateToolkitFromQt(u"xx_YY"_s));
    ASSERT_TRUE(TranslateToolkitFromQt(u"de_DE.UTF-8"_s));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s);
    RemoveTranslations();
  }
}
}  // namespace
