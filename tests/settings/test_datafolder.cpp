// Choosing the data folder from "Storage.ini" and expanding %NAME% references.
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include "settings/DataFolder.h"

using namespace Qt::StringLiterals;

namespace {
class EnvVar {
 public:
  EnvVar(const char* name, const QByteArray& value) : Name_(name) { qputenv(name, value); }
  ~EnvVar() { qunsetenv(Name_); }

 private:
  const char* Name_;
};

TEST(ExpandPercentVariables, References) {
  EnvVar a("DIGREX_T_A", "/data");
  EnvVar b("DIGREX_T_PCT", "x%DIGREX_T_A%y");
  EnvVar c("DIGREX_T_C", "C");
  EnvVar empty("DIGREX_T_EMPTY", "");
  struct Case {
    QString in, out;
  } cases[] = {
      {u"%DIGREX_T_A%/Digrex/"_s, u"/data/Digrex/"_s},
      {u"%DIGREX_T_UNSET%/x/"_s, u"%DIGREX_T_UNSET%/x/"_s},
      {u"%DIGREX_T_EMPTY%/x/"_s, u"%DIGREX_T_EMPTY%/x/"_s},
      {u"%%%DIGREX_T_A%"_s, u"%%/data"_s},  // empty name kept, search goes on after the second '%'
      {u"a%%DIGREX_T_A%"_s, u"a%%DIGREX_T_A%"_s},
      {u"%DIGREX_T_UNSET%DIGREX_T_A%DIGREX_T_C%"_s, u"%DIGREX_T_UNSET%DIGREX_T_AC"_s},
      {u"%DIGREX_T_PCT%%DIGREX_T_A%"_s, u"x%DIGREX_T_A%y/data"_s},  // inserted values are not expanded
      {u"/a/%DIGREX_T_A"_s, u"/a/%DIGREX_T_A"_s},                   // unmatched '%'
      {u"%digrex_t_a%"_s, u"/data"_s},                              // names without regard to case
      {u"no references"_s, u"no references"_s},
  };
  for (const Case& t : cases) EXPECT_EQ(ExpandPercentVariables(t.in), t.out) << t.in.toStdString();
}

class StorageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Program = Dir.path() + u"/prog/"_s;
    QDir().mkpath(Program);
  }
  TDataFolderChoice Choose(const std::optional<QByteArray>& content) { return Choose(content, Docs); }
  TDataFolderChoice Choose(const std::optional<QByteArray>& content, const TDocumentFolders& docs) {
    if (content) {
      QFile file(Program + u"Storage.ini"_s);
      EXPECT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(*content);
    }
    return ChooseDataFolder(Program, u"Storage.ini"_s, u"Velnor"_s, u"Digrex"_s, docs);
  }
  QTemporaryDir Dir;
  QString Program;
  TDocumentFolders Docs{u"/shared/docs"_s, u"/home/anna/Documents/"_s};
};

TEST_F(StorageFile, Kinds) {
  EnvVar data("DIGREX_T_DATA", "/srv/data");
  struct Case {
    const char* what;
    std::optional<QByteArray> content;
    TStorageKind kind;
    QString folder;  // "@" stands for the program folder
  } cases[] = {
      {"no storage file", std::nullopt, skProgramFolder, u"@"_s},
      {"empty file", "", skProgramFolder, u"@"_s},
      {"#ALL#", "#ALL#", skSharedDocuments, u"/shared/docs/Velnor/Digrex/"_s},
      {"#user# in lower case", "#user#", skUserDocuments, u"/home/anna/Documents/Velnor/Digrex/"_s},
      {"marker with a line break is a folder", "#USER#\n", skCustomFolder, u"#USER#\n/"_s},
      {"folder ending with a slash", "/opt/digrex/", skCustomFolder, u"/opt/digrex/"_s},
      {"folder without a slash", "/opt/digrex", skCustomFolder, u"/opt/digrex/"_s},
      {"relative folder used as written", "conf/here", skCustomFolder, u"conf/here/"_s},
      {"variables expanded", "%DIGREX_T_DATA%/Digrex %UNSET_DIGREX%", skCustomFolder,
       u"/srv/data/Digrex %UNSET_DIGREX%/"_s},
      {"spaces kept", " /x ", skCustomFolder, u" /x /"_s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(Program + u"Storage.ini"_s);
    const TDataFolderChoice choice = Choose(c.content);
    EXPECT_EQ(choice.Kind, c.kind);
    EXPECT_EQ(choice.DataFolder, c.folder == u"@"_s ? Program : c.folder);
    EXPECT_EQ(choice.StorageFileFound, c.content.has_value());
  }
}

TEST_F(StorageFile, DocumentsFolderUnavailableFallsBackToProgramFolder) {
  EXPECT_EQ(Choose("#ALL#", {QString(), u"/u"_s}).DataFolder, Program);
  QFile::remove(Program + u"Storage.ini"_s);
  EXPECT_EQ(Choose("#USER#", {u"/s"_s, QString()}).DataFolder, Program);
}

TEST_F(StorageFile, FolderNamedLikeStorageFileIsIgnored) {
  QDir().mkpath(Program + u"Storage.ini"_s);
  const TDataFolderChoice choice = Choose(std::nullopt);
  EXPECT_FALSE(choice.StorageFileFound);
  EXPECT_EQ(choice.DataFolder, Program);
}

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
  const QString folder = GetProgramFolder();
  ASSERT_TRUE(folder.endsWith(u'/'));
  EXPECT_TRUE(QFileInfo(folder + u"test_settings"_s).isFile());
  EXPECT_EQ(QFileInfo(folder).canonicalFilePath() + u'/', folder);
}

TEST(ProgramFolder, ResolvedOnceAndSettingsPathFixed) {
  // The build folder has no storage file: the program folder is the data folder.
  ASSERT_FALSE(QFileInfo::exists(GetProgramFolder() + u"Storage.ini"_s));
  EXPECT_FALSE(ResolveDataFolder(u"Storage.ini"_s, u"Velnor"_s, u"Digrex"_s));
  EXPECT_EQ(GetStorageKind(), skProgramFolder);
  EXPECT_EQ(GetDataFolder(), GetProgramFolder());
  const QString path = GetSettingsFilePath();
  EXPECT_EQ(path, GetProgramFolder() + u"Settings.ini"_s);
  ResolveDataFolder(u"Other.ini"_s, u"V"_s, u"D"_s);
  EXPECT_EQ(GetSettingsFilePath(), path);
}

TEST(ProgramFolder, UserDocumentsFromPlatform) {
  const TDocumentFolders docs = PlatformDocumentFolders();
  EXPECT_TRUE(docs.Shared.isEmpty());
  EXPECT_FALSE(docs.User.isEmpty());
}
}  // namespace
