// "Settings.ini" and "Storage.ini" as nobody meant them: binary, huge, or
// naming folders that cannot be written. Start-up reads what it can and keeps
// the defaults otherwise; the save at exit reports failure and leaves the old
// file as it was. Nothing crashes or hangs (a hang shows as the time-out).
#include <gtest/gtest.h>

#include "i18n/GTestQtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <grp.h>
#include <optional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/DataFolder.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray OldFile = "[General]\r\nStayOnTop=1\r\n";

QByteArray RandomBytes(qsizetype size, uint32_t seed) {
  std::mt19937 random(seed);
  QByteArray bytes(size, Qt::Uninitialized);
  for (char& c : bytes) c = char(random() & 0xFF);
  return bytes;
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Written(const TSettings& settings) {
  TIniFile ini;
  settings.WriteToIni(ini);
  return ini.ToData();
}

TSettings Loaded(const QString& path, bool* read = nullptr) {
  TSettings settings;
  const bool ok = settings.LoadFromFile(path);
  if (read) *read = ok;
  return settings;
}

// Runs check as an ordinary user: in a child process as "nobody" when the test
// runs as root, whom permission bits do not stop. nullopt when privileges
// cannot be dropped; a child that crashes is a failure.
std::optional<bool> AsOrdinaryUser(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  const pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    _exit(check() ? 1 : 0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
    ADD_FAILURE() << "the check ended abnormally";
    return false;
  }
  if (WEXITSTATUS(status) == 3) return std::nullopt;
  return WEXITSTATUS(status) == 1;
}

class HostileSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    // Open to the ordinary user of AsOrdinaryUser; each case sets its own folder's bits.
    QFile::setPermissions(Dir.path(), QFileDevice::Permissions(0x7777));
    Root = Dir.path() + u'/';
  }
  QString Folder(const QString& name, QFileDevice::Permissions permissions) {
    const QString path = Root + name + u'/';
    QDir().mkpath(path);
    QFile::setPermissions(path, permissions);
    return path;
  }
  QTemporaryDir Dir;
  QString Root;
};

constexpr auto kOpen = QFileDevice::Permissions(0x7777);
constexpr auto kReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther | QFileDevice::ExeOwner | QFileDevice::ExeUser |
                           QFileDevice::ExeGroup | QFileDevice::ExeOther;

TEST_F(HostileSettings, BinaryFileReadsAsDefaultsAndIsReplacedByACleanOne) {
  const QString path = Root + u"Settings.ini"_s;
  WriteAll(path, RandomBytes(1 << 20, 7));
  bool read = false;
  const TSettings settings = Loaded(path, &read);
  EXPECT_TRUE(read);
  EXPECT_EQ(Written(settings), Written(TSettings()));

  // Sound lines among binary ones are still read.
  WriteAll(path, RandomBytes(4096, 8).replace('\n', ' ').replace('\r', ' ') +
                     "\n\x00\xFF[General]\n[General]\nStayOnTop=1\n\xC3\x28\xFE\x00=\x01\nLanguageCode=\xFF"
                     "de\n"_ba +
                     RandomBytes(4096, 9));
  const TSettings mixed = Loaded(path);
  EXPECT_TRUE(mixed.StayOnTop);
  EXPECT_EQ(mixed.LanguageCode, u"\uFFFDde"_s);

  // The save at exit writes a clean file that reads back the same.
  ASSERT_TRUE(mixed.SaveToFile(path));
  EXPECT_TRUE(QString::fromUtf8(ReadAll(path)).toUtf8() == ReadAll(path));
  EXPECT_EQ(Written(Loaded(path)), Written(mixed));
}

TEST_F(HostileSettings, HugeFiles) {
  const QString path = Root + u"Settings.ini"_s;
  const QByteArray line(10 << 20, 'x');

  // A 10 MB value, and the keys after it.
  WriteAll(path, "[SaveLog]\r\nFileName=" + line + "\r\nUseFullPath=1\r\n");
  TSettings settings = Loaded(path);
  EXPECT_EQ(settings.FileName.size(), line.size());
  EXPECT_TRUE(settings.UseFullPath);
  ASSERT_TRUE(settings.SaveToFile(path));
  EXPECT_EQ(Loaded(path).FileName, settings.FileName);

  // 10 MB of continued lines join into one value.
  QByteArray continued = "[SaveLog]\nFileName=";
  for (int i = 0; i < 2500000; ++i) continued += "ab\\\n";
  WriteAll(path, continued + "end\nUseFullPath=1\n");
  settings = Loaded(path);
  EXPECT_EQ(settings.FileName.size(), 2 * 2500000 + 3);
  EXPECT_TRUE(settings.UseFullPath);

  // Half a million sections before the one that counts.
  QByteArray sections;
  for (int i = 0; i < 500000; ++i) sections += "[S" + QByteArray::number(i) + "]\nk=v\n";
  WriteAll(path, sections + "[general]\nstayontop=1\n");
  EXPECT_TRUE(Loaded(path).StayOnTop);

  // Far larger than any settings file (sparse): not read, the defaults stay,
  // and the save at exit replaces it with a real one.
  WriteAll(path, OldFile);
  QFile big(path);
  if (!big.resize(qint64(8) << 30)) GTEST_SKIP() << "no room for a sparse file of 8 GiB";
  bool read = true;
  settings = Loaded(path, &read);
  EXPECT_FALSE(read);
  EXPECT_FALSE(settings.StayOnTop);
  ASSERT_TRUE(settings.SaveToFile(path));
  EXPECT_EQ(ReadAll(path), Written(TSettings()));
}

TEST_F(HostileSettings, UnwritableAtExitReportsFailureAndKeepsTheOldFile) {
  TSettings settings;
  settings.UpperCaseHash = true;
  struct Case {
    const char* what;
    QFileDevice::Permissions folder, file;
  } cases[] = {
      {"read-only file", kOpen, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther},
      {"read-only folder", kReadOnly, kOpen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString folder = Folder(QString::fromLatin1(c.what), kOpen);
    const QString path = folder + u"Settings.ini"_s;
    WriteAll(path, OldFile);
    QFile::setPermissions(path, c.file);
    QFile::setPermissions(folder, c.folder);
    const std::optional<bool> saved = AsOrdinaryUser([&] { return settings.SaveToFile(path); });
    QFile::setPermissions(folder, kOpen);
    if (!saved) GTEST_SKIP() << "running as root without a way to become an ordinary user";
    EXPECT_FALSE(*saved);
    EXPECT_EQ(ReadAll(path), OldFile);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"Settings.ini"_s});
  }

  // A folder standing where the file goes stops even the administrator.
  const QString path = Root + u"Settings.ini"_s;
  QDir().mkpath(path + u"/kept"_s);
  EXPECT_FALSE(settings.SaveToFile(path));
  EXPECT_TRUE(QFileInfo(path + u"/kept"_s).isDir());
}

class HostileStorage : public HostileSettings {
 protected:
  void SetUp() override {
    HostileSettings::SetUp();
    Program = Folder(u"program"_s, kOpen);
  }
  TDataFolderChoice Choose(const QByteArray& content) {
    WriteAll(Program + u"Storage.ini"_s, content);
    return ChooseDataFolder(Program, u"Storage.ini"_s, u"Velnor"_s, u"Digrex"_s, {QString(), Root + u"docs/"_s});
  }
  QString Program;
};

TEST_F(HostileStorage, FolderThatCannotBeWrittenLeavesSettingsUnsaved) {
  // The storage file is followed as written; such a folder only shows as
  // settings that keep their defaults and are not saved.
  WriteAll(Root + u"file"_s, "x");
  const QString readOnly = Folder(u"readonly"_s, kReadOnly);
  struct Case {
    const char* what;
    QByteArray content;
    bool ordinaryUser;  // permission bits: needs an ordinary user
  } cases[] = {
      {"below /proc", "/proc/Velnor/Digrex/", false},
      {"below a file", (Root + u"file/Digrex/"_s).toUtf8(), false},
      {"with a NUL inside", (Root + u"a"_s).toUtf8() + '\0' + "b/", false},
      {"binary", RandomBytes(512, 3) + '\0', false},
      {"read-only folder", (readOnly + u"Digrex/"_s).toUtf8(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TDataFolderChoice choice = Choose(c.content);
    EXPECT_EQ(choice.Kind, skCustomFolder);
    EXPECT_TRUE(choice.DataFolder.endsWith(u'/'));
    const QString path = choice.DataFolder + u"Settings.ini"_s;
    const QStringList before = QDir(Root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    bool read = true;
    const TSettings settings = Loaded(path, &read);
    EXPECT_FALSE(read);
    EXPECT_EQ(Written(settings), Written(TSettings()));
    const std::optional<bool> saved =
        c.ordinaryUser ? AsOrdinaryUser([&] { return settings.SaveToFile(path); }) : settings.SaveToFile(path);
    if (!saved) continue;  // root without an ordinary user to become
    EXPECT_FALSE(*saved);
    EXPECT_EQ(QDir(Root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    EXPECT_TRUE(QDir(readOnly).isEmpty());
  }
}

TEST_F(HostileStorage, HugeOrUnreadableStorageFileSelectsTheProgramFolder) {
  // Far longer than any folder path: read as a file that cannot be read in full.
  QByteArray references;
  while (references.size() < (10 << 20)) references += "%DIGREX_UNSET_NAME%";
  TDataFolderChoice choice = Choose(references);
  EXPECT_TRUE(choice.StorageFileFound);
  EXPECT_EQ(choice.Kind, skProgramFolder);
  EXPECT_EQ(choice.DataFolder, Program);

  // Just under that length, thousands of references resolve at once.
  references.truncate(60 * 1024);
  choice = Choose(references);
  EXPECT_EQ(choice.Kind, skCustomFolder);
  EXPECT_EQ(choice.DataFolder, QString::fromUtf8(references) + u'/');

  // A folder named Storage.ini is no storage file.
  QFile::remove(Program + u"Storage.ini"_s);
  QDir().mkpath(Program + u"Storage.ini"_s);
  choice = ChooseDataFolder(Program, u"Storage.ini"_s, u"Velnor"_s, u"Digrex"_s, {});
  EXPECT_FALSE(choice.StorageFileFound);
  EXPECT_EQ(choice.DataFolder, Program);
  QDir(Program + u"Storage.ini"_s).removeRecursively();

  // One that cannot be read.
  WriteAll(Program + u"Storage.ini"_s, "#USER#");
  QFile::setPermissions(Program + u"Storage.ini"_s, QFileDevice::WriteOwner);
  const std::optional<bool> programFolder = AsOrdinaryUser([&] {
    const TDataFolderChoice c = ChooseDataFolder(Program, u"Storage.ini"_s, u"Velnor"_s, u"Digrex"_s, {QString(), Root});
    return c.StorageFileFound && c.Kind == skProgramFolder && c.DataFolder == Program;
  });
  if (programFolder) {
    EXPECT_TRUE(*programFolder);
  }
}

}  // namespace
