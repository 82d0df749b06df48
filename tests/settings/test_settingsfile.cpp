// "Settings.ini": reading rules, the exact bytes written, and a save that
// never leaves a damaged file behind.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "settings/IniFile.h"
#include "settings/Settings.h"

using namespace Qt::StringLiterals;

namespace {
const QByteArray kDefaultFile =
    "[General]\r\n"
    "UpperCaseHash=0\r\n"
    "HashTypes=CRC32,MD2,MD4,MD5,SHA1,SHA256,SHA512,RipeMD128,RipeMD160,ED2K\r\n"
    "ToolbarCaptions=0\r\n"
    "CompareToAnyHash=0\r\n"
    "LanguageCode=\r\n"
    "BiDiCode=\r\n"
    "StayOnTop=0\r\n"
    "\r\n"
    "[SaveLog]\r\n"
    "HashType=\r\n"
    "VerifyFormat=SFV\r\n"
    "FileName=\r\n"
    "UseFullPath=0\r\n"
    "\r\n"
    "[Location]\r\n"
    "MainForm=0\r\n"
    "LogViewer=0\r\n";

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TSettings Read(const QByteArray& ini) {
  TSettings s;
  s.ReadFromIni(TIniFile::FromData(ini));
  return s;
}

TEST(SettingsFile, DefaultsWrittenExactly) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"Velnor/Digrex/Settings.ini"_s);  // folders created on save
  TSettings s;
  s.UpperCaseHash = true;
  s.SetDefaults();
  ASSERT_TRUE(s.SaveToFile(path));
  EXPECT_EQ(ReadAll(path), kDefaultFile);
}

TEST(SettingsFile, ValuesWrittenExactlyAndReadBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"Settings.ini"_s);
  WriteAll(path, "old content that is longer than nothing");
  TSettings s;
  s.UpperCaseHash = true;
  s.HashTypes = HashTypeBit(htMD5) | HashTypeBit(htSHA1) | HashTypeBit(htNone);
  s.HashType = htSHA256;
  s.VerifyFormat = vfSUM;
  s.FileName = u"/home/anna/Prüfsummen.md5"_s;
  s.UseFullPath = true;
  s.ToolbarCaptions = true;
  s.CompareToAnyHash = true;
  s.LanguageCode = u"pt_BR"_s;
  s.BiDiCode = u"RTL"_s;
  s.StayOnTop = true;
  s.MainForm.FromText(u"1,-8,-8,1040,800"_s);
  s.LogViewer.FromText(u"0,10,20,300,200"_s);
  ASSERT_TRUE(s.SaveToFile(path));
  EXPECT_EQ(ReadAll(path),
            "[General]\r\nUpperCaseHash=1\r\nHashTypes=MD5,SHA1\r\nToolbarCaptions=1\r\nCompareToAnyHash=1\r\n"
            "LanguageCode=pt_BR\r\nBiDiCode=RTL\r\nStayOnTop=1\r\n\r\n"
            "[SaveLog]\r\nHashType=SHA256\r\nVerifyFormat=SUM\r\nFileName=/home/anna/Pr\xC3\xBC"
            "fsummen.md5\r\nUseFullPath=1\r\n\r\n"
            "[Location]\r\nMainForm=1,-8,-8,1040,800\r\nLogViewer=0,10,20,300,200\r\n");

  TSettings r;
  ASSERT_TRUE(r.LoadFromFile(path));
  EXPECT_TRUE(r.UpperCaseHash);
  EXPECT_EQ(r.HashTypes, HashTypeBit(htMD5) | HashTypeBit(htSHA1));
  EXPECT_EQ(r.HashType, htSHA256);
  EXPECT_EQ(r.VerifyFormat, vfSUM);
  EXPECT_EQ(r.FileName, s.FileName);
  EXPECT_TRUE(r.UseFullPath && r.ToolbarCaptions && r.CompareToAnyHash && r.StayOnTop);
  EXPECT_EQ(r.LanguageCode, u"pt_BR"_s);
  EXPECT_EQ(r.BiDiCode, u"RTL"_s);
  EXPECT_EQ(r.MainForm.AsText(), u"1,-8,-8,1040,800"_s);
  EXPECT_EQ(r.LogViewer.AsText(), u"0,10,20,300,200"_s);
}

TEST(SettingsFile, ReadingRules) {
  struct Case {
    const char* what;
    QByteArray ini;
    std::function<void(const TSettings&)> check;
  } cases[] = {
      {"booleans", "[General]\nUpperCaseHash=true\nToolbarCaptions=10\nCompareToAnyHash=1\nStayOnTop=\n",
       [](const TSettings& s) {
         EXPECT_FALSE(s.UpperCaseHash);
         EXPECT_TRUE(s.ToolbarCaptions);
         EXPECT_TRUE(s.CompareToAnyHash);
         EXPECT_FALSE(s.StayOnTop);
       }},
      {"empty HashTypes gives an empty set", "[General]\nHashTypes=\n",
       [](const TSettings& s) { EXPECT_EQ(s.HashTypes, 0u); }},
      {"missing HashTypes keeps all", "[General]\nUpperCaseHash=1\n",
       [](const TSettings& s) { EXPECT_EQ(s.HashTypes, AllHashTypes()); }},
      {"names match case exactly", "[General]\nHashTypes=md5,SHA1\n",
       [](const TSettings& s) {
         EXPECT_EQ(s.HashTypes, HashTypeBit(htSHA1) | HashTypeBit(htNone));
         EXPECT_EQ(HashTypesToNames(s.HashTypes), u"SHA1"_s);
       }},
      {"empty pieces skipped", "[General]\nHashTypes=CRC32,,MD5\n",
       [](const TSettings& s) { EXPECT_EQ(s.HashTypes, HashTypeBit(htCRC32) | HashTypeBit(htMD5)); }},
      {"verification format matches case", "[SaveLog]\nVerifyFormat=sfv\nHashType=sha1\n",
       [](const TSettings& s) {
         EXPECT_EQ(s.VerifyFormat, vfNone);
         EXPECT_EQ(s.HashType, htNone);
       }},
      {"names in any case, values trimmed", "[GENERAL]\n  languagecode = de \n[savelog]\nHASHTYPE=MD5\n",
       [](const TSettings& s) {
         EXPECT_EQ(s.LanguageCode, u"de"_s);
         EXPECT_EQ(s.HashType, htMD5);
       }},
      {"first occurrence wins", "[General]\nLanguageCode=fr\nlanguagecode=de\n[General]\nBiDiCode=RTL\n",
       [](const TSettings& s) {
         EXPECT_EQ(s.LanguageCode, u"fr"_s);
         EXPECT_EQ(s.BiDiCode, QString());  // only the first [General] counts
       }},
      {"comments, lines before any section, keys without '='",
       "LanguageCode=xx\n[General]\n;LanguageCode=yy\nStayOnTop\nLanguageCode=a=b\n",
       [](const TSettings& s) {
         EXPECT_EQ(s.LanguageCode, u"a=b"_s);
         EXPECT_FALSE(s.StayOnTop);
       }},
      {"backslash joins the next line", "[SaveLog]\nFileName=C:\\Logs\\\nUseFullPath=1\nHashType=MD5\n",
       [](const TSettings& s) {
         EXPECT_EQ(s.FileName, u"C:\\LogsUseFullPath=1"_s);
         EXPECT_FALSE(s.UseFullPath);
         EXPECT_EQ(s.HashType, htMD5);
       }},
      {"continuation over several lines", "[General]\nLanguage\\\nCo\\\nde=pt\\\n_BR\n",
       [](const TSettings& s) { EXPECT_EQ(s.LanguageCode, u"pt_BR"_s); }},
      {"locations: missing key resets, malformed text is not valid",
       "[Location]\nLogViewer=1,10,20,300,200,5\n",
       [](const TSettings& s) {
         EXPECT_EQ(s.MainForm.AsText(), u"0"_s);
         EXPECT_TRUE(s.LogViewer.Remember);
         EXPECT_FALSE(s.LogViewer.Valid);
       }},
      {"UTF-8 with byte-order mark and CR LF", "\xEF\xBB\xBF[SaveLog]\r\nFileName=\xC3\xA4.sfv\r\n",
       [](const TSettings& s) { EXPECT_EQ(s.FileName, u"ä.sfv"_s); }},
      {"unknown keys and sections ignored", "[Other]\nStayOnTop=1\n[General]\nColour=red\n",
       [](const TSettings& s) { EXPECT_FALSE(s.StayOnTop); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.check(Read(c.ini));
  }
}

TEST(SettingsFile, MissingOrUnreadableFileKeepsDefaults) {
  QTemporaryDir dir;
  TSettings s;
  EXPECT_FALSE(s.LoadFromFile(dir.filePath(u"Settings.ini"_s)));
  EXPECT_FALSE(s.LoadFromFile(dir.path()));  // a folder is no settings file
  if (geteuid() != 0) {
    const QString path = dir.filePath(u"Locked.ini"_s);
    WriteAll(path, "[General]\nStayOnTop=1\n");
    QFile::setPermissions(path, QFileDevice::Permissions());
    EXPECT_FALSE(s.LoadFromFile(path));
  }
  EXPECT_EQ(s.HashTypes, AllHashTypes());
  EXPECT_FALSE(s.StayOnTop);
  EXPECT_EQ(s.VerifyFormat, vfSFV);
}

TEST(SettingsFile, HandAddedKeysDroppedOnSave) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"Settings.ini"_s);
  WriteAll(path, "; mine\n[Extra]\nA=1\n[General]\nColour=red\n");
  TSettings s;
  ASSERT_TRUE(s.LoadFromFile(path));
  ASSERT_TRUE(s.SaveToFile(path));
  EXPECT_EQ(ReadAll(path), kDefaultFile);
}

TEST(SettingsFile, SaveFailureReportedAndOldFileKept) {
  QTemporaryDir dir;
  // The folder cannot be created: a file stands where it would go.
  WriteAll(dir.filePath(u"blocker"_s), "x");
  TSettings s;
  EXPECT_FALSE(s.SaveToFile(dir.filePath(u"blocker/Digrex/Settings.ini"_s)));

  // A write that runs out of space leaves the previous file whole.
  const QString path = dir.filePath(u"Settings.ini"_s);
  const QByteArray old = "[General]\r\nStayOnTop=1\r\n";
  WriteAll(path, old);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = s.SaveToFile(path);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), (QStringList{u"Settings.ini"_s, u"blocker"_s}));

  if (geteuid() != 0) {
    // An unwritable folder: the old file stays.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(s.SaveToFile(path));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ReadAll(path), old);
  }
}

TEST(SettingsFile, GlobalObjectStartsWithDefaults) {
  EXPECT_EQ(Settings.HashTypes, AllHashTypes());
  EXPECT_EQ(Settings.VerifyFormat, vfSFV);
  EXPECT_FALSE(Settings.MainForm.Valid);
}
}  // namespace
