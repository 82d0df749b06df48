// The catalogues shipped with the program: every text of the template is
// translated, with the same placeholders, and the headers name the language
// and a flag picture that exists.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "i18n/AsciiText.h"
#include "i18n/Catalogue.h"
#include "i18n/Languages.h"

using namespace Qt::StringLiterals;

namespace {

const QString kLanguages = QStringLiteral(DIGREX_LANGUAGES_FOLDER);

struct TTemplateText {
  QString Key;  // lower case
  QString Source;
};

// The template's entries (msgstr is empty there, so the program's reader would drop them all).
QList<TTemplateText> ReadTemplate() {
  QByteArray bytes;
  EXPECT_TRUE(ReadCatalogueFile(kLanguages + u"/Digrex.pot"_s, bytes));
  QList<TTemplateText> texts;
  QString key;
  bool inSource = false;
  for (const QString& line : SplitCatalogueLines(DecodeCatalogueText(bytes))) {
    const auto quoted = [&](qsizetype from) {
      return UnescapeCatalogueText(QStringView(line).sliced(from, line.size() - from - 1), u"\n");
    };
    if (line.startsWith(u"#: ")) {
      key = line.sliced(3);
    } else if (line.startsWith(u"msgid \"")) {
      inSource = !key.isEmpty();
      if (inSource) texts.append({key, quoted(7)});
    } else if (inSource && line.startsWith(u'"')) {
      texts.last().Source += quoted(1);
    } else {
      inSource = false;
      if (line.startsWith(u"msgstr")) key.clear();
    }
  }
  return texts;
}

// The placeholders that RSFormat and QString::arg fill in: %s and %d in their order, %1... as a set.
QStringList Placeholders(const QString& text) {
  QStringList ordered, numbered;
  static const QRegularExpression pattern(u"%([sd]|\\d+)"_s);
  for (const QRegularExpressionMatch& m : pattern.globalMatch(text))
    (m.captured(1).front().isDigit() ? numbered : ordered) << m.captured(0);
  numbered.sort();
  return ordered + numbered;
}

TEST(Template, HoldsTheProgramTexts) {
  const QList<TTemplateText> texts = ReadTemplate();
  QHash<QString, QString> byKey;
  for (const TTemplateText& t : texts) {
    EXPECT_FALSE(byKey.contains(t.Key)) << "twice: " << t.Key.toStdString();
    EXPECT_FALSE(t.Source.isEmpty()) << t.Key.toStdString();
    byKey.insert(t.Key, t.Source);
  }
  EXPECT_EQ(byKey.value(u"fmain.sstatusfinished"_s), u"Finished"_s);
  EXPECT_EQ(byKey.value(u"tformmain.actionaddfiles.caption"_s), u"Add Files"_s);
}

class Catalogues : public ::testing::TestWithParam<const char*> {};

TEST_P(Catalogues, TranslateEveryTemplateText) {
  const QString code = QString::fromLatin1(GetParam());
  const QString path = kLanguages + u"/digrex."_s + code + u".po"_s;
  ASSERT_TRUE(QFileInfo(path).isFile()) << path.toStdString();
  TCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadFromFile(path));
  QHash<QString, const TCatalogueEntry*> byKey;
  for (const TCatalogueEntry& entry : catalogue.Entries())
    for (const QString& id : entry.Identifiers) byKey.insert(AsciiLower(id), &entry);

  const QList<TTemplateText> texts = ReadTemplate();
  ASSERT_FALSE(texts.isEmpty());
  QSet<QString> keys;
  for (const TTemplateText& t : texts) {
    keys.insert(t.Key);
    const TCatalogueEntry* entry = byKey.value(t.Key);
    if (entry == nullptr) {
      ADD_FAILURE() << code.toStdString() << ": not translated: " << t.Key.toStdString() << " \""
                    << t.Source.toStdString() << '"';
      continue;
    }
    EXPECT_EQ(entry->Source, t.Source) << code.toStdString() << ": English text changed: " << t.Key.toStdString();
    EXPECT_FALSE(entry->Flags.contains(u"fuzzy"_s)) << code.toStdString() << ": fuzzy: " << t.Key.toStdString();
    EXPECT_EQ(Placeholders(entry->Translation), Placeholders(t.Source))
        << code.toStdString() << ": placeholders differ: " << t.Key.toStdString();
    // The program's own lookup gives the translation.
    EXPECT_EQ(catalogue.Translate(t.Key, t.Source), entry->Translation);
  }
  for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
    EXPECT_TRUE(keys.contains(it.key())) << code.toStdString() << ": no longer in the template: "
                                         << it.key().toStdString();
}

TEST_P(Catalogues, HeaderNamesLanguageAndFlag) {
  const QString code = QString::fromLatin1(GetParam());
  TLanguageInfo info;
  ASSERT_TRUE(TLanguages::ReadLanguageInfo(kLanguages + u"/digrex."_s + code + u".po"_s, info));
  EXPECT_EQ(info.Code, code);
  EXPECT_EQ(info.Language, code);
  for (const QString* field : {&info.LanguageName, &info.LanguageNameNative, &info.Country, &info.CountryName,
                               &info.Translators})
    EXPECT_FALSE(field->isEmpty()) << code.toStdString();
  EXPECT_NE(info.LanguageName, info.LanguageNameNative);

  TLanguages languages;
  languages.Scan(kLanguages, kLanguages + u"/Flags"_s);
  TLanguageInfo scanned;
  ASSERT_TRUE(languages.FindLanguage(code, scanned));
  QFile flag(scanned.FlagFile);
  ASSERT_TRUE(flag.open(QIODevice::ReadOnly)) << scanned.FlagFile.toStdString();
  EXPECT_EQ(flag.read(8), QByteArray("\x89PNG\r\n\x1a\n"));
}

TEST_P(Catalogues, GettextAcceptsCatalogue) {
  const QString msgfmt = QStandardPaths::findExecutable(u"msgfmt"_s);
  if (msgfmt.isEmpty()) GTEST_SKIP() << "msgfmt is not installed";
  QProcess process;
  process.start(msgfmt, {u"--check"_s, u"--output-file=/dev/null"_s,
                         kLanguages + u"/digrex."_s + QString::fromLatin1(GetParam()) + u".po"_s});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Shipped, Catalogues, ::testing::Values("de", "he"));

}  // namespace
