// A languages folder holding malformed, binary or huge catalogues: the program
// starts with its English texts and the language menu is built without a fault.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "i18n/Catalogue.h"
#include "i18n/Languages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray RandomBytes(qsizetype size, uint32_t seed) {
  std::mt19937 random(seed);
  QByteArray bytes(size, Qt::Uninitialized);
  for (char& c : bytes) c = char(random() & 0xFF);
  return bytes;
}

// Catalogues that are broken in every way the reader meets, none of which
// holds a usable translation of a program text.
QByteArray Malformed() {
  return "msgstr \"without an id\"\n"
         "msgid \"Finished\"\n"  // entry that never gets its msgstr
         "\n"
         "msgid \"Finished\"\nmsgstr \"\"\n\n"  // empty translation
         "#, fuzzy\nmsgid \"Finished\"\nmsgstr \"Fuzzy\"\n\n"
         "#: fmain.sstatusfinished\n#, badformat\nmsgid \"x\"\nmsgstr \"Broken\"\n\n"
         "msgid \"unterminated\nmsgstr \"also unterminated\\\n"
         "\"\n\"\\\n\\\\\\\n"
         "msgid_plural \"Finished\"\nmsgstr[0] \"Fertig\"\n"
         "#:\n#,\n#: \n#, \nmsgctxt\nmsgid\nmsgstr\n\"\"\n"
         "msgid \"\"\nmsgstr \"Language: \\\n"
         "\xC3\x28\xA0\xA1\xF0\x28\x8C\xBC\xFF\xFE\x00\x01\n"
         "msgid \"\xFF\xFE\"\nmsgstr \"\xC3\"\n"_ba;
}

class HostileCatalogues : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = Dir.path() + u"/Languages/"_s;
    QDir().mkpath(Folder);
    Languages.ProgramBaseName = u"digrex"_s;
    ResetResourceStrings();
    RemoveTranslations();
  }
  void TearDown() override {
    ResetResourceStrings();
    RemoveTranslations();
  }

  void Write(const QString& code, const QByteArray& bytes) {
    QFile file(Folder + u"digrex."_s + code + u".po"_s);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  // Start-up with this language chosen; every program text must be the English one.
  void ExpectStartsInEnglish(const QString& code) {
    SCOPED_TRACE(code.toStdString());
    EXPECT_EQ(Languages.InitLanguage(Folder, code, QString()), Qt::LeftToRight);
    for (int i = 0; i < rs::Count; ++i) {
      const auto id = static_cast<rs::Id>(i);
      EXPECT_EQ(RS(id), QString::fromUtf8(ResourceStringInfo(id).Source)) << ResourceStringInfo(id).Key;
    }
    EXPECT_EQ(TranslateFormText(u"TFORMMAIN.ACTIONADDFILES.CAPTION"_s, u"Add files"_s), u"Add files"_s);
    RemoveTranslations();
    ResetResourceStrings();
  }

  QTemporaryDir Dir;
  QString Folder;
  TLanguages Languages;
};

TEST_F(HostileCatalogues, MalformedAndBinaryCataloguesLeaveEnglish) {
  Write(u"mf"_s, Malformed());
  Write(u"bin"_s, RandomBytes(4 << 20, 9));
  Write(u"nul"_s, QByteArray(1 << 20, '\0'));
  Write(u"ws"_s, QByteArray(1 << 20, '\\'));
  for (const QString& code : {u"mf"_s, u"bin"_s, u"nul"_s, u"ws"_s}) ExpectStartsInEnglish(code);

  // The menu lists what has a header, by its code, and skips the rest.
  Languages.Scan(Folder, Folder + u"Flags/"_s);
  QStringList listed;
  for (const TLanguageInfo& info : Languages.Languages) listed << info.Code;
  EXPECT_EQ(listed, QStringList{u"mf"_s});
  Languages.LanguageCode = u"mf"_s;
  const QList<TLanguageMenuEntry> menu = Languages.BuildMenu();
  ASSERT_EQ(menu.size(), 4);
  EXPECT_EQ(menu[3].Caption, u"[mf]"_s);
  EXPECT_TRUE(menu[3].Checked);
}

TEST_F(HostileCatalogues, HugeCataloguesStartPromptlyInEnglish) {
  // One line of 10 MB, a header of 300,000 continuation lines (10 MB), and a
  // file far larger than any catalogue (sparse, so it takes no disk space).
  Write(u"line"_s, "msgid \"" + QByteArray(10 << 20, 'x') + "\"\nmsgstr \"y\"\n");
  QByteArray header = "msgid \"\"\nmsgstr \"\"\n";
  for (int i = 0; i < 300000; ++i) header += "\"X-Language-Name: Longwinded\\n\"\n";
  Write(u"hdr"_s, header);
  Write(u"big"_s, "msgid \"\"\nmsgstr \"X-Language-Name: Huge\\n\"\n\n#: fmain.sstatusfinished\nmsgid \"Finished\"\nmsgstr \"Huge\"\n");
  QFile big(Folder + u"digrex.big.po"_s);
  if (!big.resize(qint64(8) << 30)) GTEST_SKIP() << "no room for a sparse file of 8 GiB";
  for (const QString& code : {u"line"_s, u"hdr"_s, u"big"_s}) ExpectStartsInEnglish(code);

  Languages.Scan(Folder, Folder + u"Flags/"_s);
  QStringList listed;
  for (const TLanguageInfo& info : Languages.Languages) listed << info.LanguageName;
  EXPECT_EQ(listed, QStringList{u"Longwinded"_s});
}

TEST_F(HostileCatalogues, LargeWellFormedCatalogueStillLoads) {
  // Many entries are no fault: the limit on a catalogue's size stays far above real ones.
  QByteArray text = "msgid \"\"\nmsgstr \"X-Language-Name: Large\\n\"\n\n";
  for (int i = 0; i < 200000; ++i) text += "#: unit.s" + QByteArray::number(i) + "\nmsgid \"Text " + QByteArray::number(i) + "\"\nmsgstr \"Tekst\"\n\n";
  text += "#: fmain.sstatusfinished\nmsgid \"Finished\"\nmsgstr \"Valmis\"\n";
  Write(u"fi"_s, text);
  Languages.InitLanguage(Folder, u"fi"_s, QString());
  EXPECT_EQ(RS(rs::fmain_sstatusfinished), u"Valmis"_s);
}

}  // namespace
