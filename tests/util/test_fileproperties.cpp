// Size, times and derived attribute bits of file-system entries.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/FileProperties.h"
#include "util/TextFormat.h"

namespace {
class FilePropertiesTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return Dir.path() + u'/' + name; }

  QString MakeFile(const QString& name, const QByteArray& content = QByteArray("data")) const {
    QFile f(Path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return f.fileName();
  }

  static TFileProperties Read(const QString& path) {
    TFileProperties info;
    EXPECT_TRUE(GetFileProperties(path, info)) << path.toStdString();
    return info;
  }

  QTemporaryDir Dir;
};

TEST_F(FilePropertiesTest, SparseFileOverFourGiBHasExactSizeAndCurrentTimes) {
  const int64_t size = (int64_t(5) << 30) + 7;
  const QString path = Path(QStringLiteral("big.bin"));
  const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, size), 0);
  ::close(fd);

  const TDateTime now = FileTimeToLocalDateTime(QDateTime::currentDateTime());
  const TFileProperties info = Read(path);
  EXPECT_TRUE(info.Valid);
  EXPECT_EQ(info.Size, size);
  EXPECT_EQ(FileAttributesText(info.Attributes), QStringLiteral("-------"));
  const double minute = 1.0 / 1440;
  EXPECT_NEAR(info.Modified, now, minute);
  // The birth time is kept by most file systems; where it is not, the value is 0.
  if (info.Created != 0) {
    EXPECT_NEAR(info.Created, now, minute);
  }
}

TEST_F(FilePropertiesTest, MissingEntryLeavesRecordUntouched) {
  TFileProperties info;
  info.Size = 123;
  info.Modified = 42708.5;
  info.Attributes = faArchive;
  info.Valid = true;
  EXPECT_FALSE(GetFileProperties(Path(QStringLiteral("missing")), info));
  EXPECT_FALSE(GetFileProperties(QString(), info));
  EXPECT_EQ(info.Size, 123);
  EXPECT_EQ(info.Modified, 42708.5);
  EXPECT_EQ(info.Attributes, uint32_t(faArchive));
  EXPECT_TRUE(info.Valid);
}

TEST_F(FilePropertiesTest, AttributeLettersAreDerivedFromTheEntry) {
  MakeFile(QStringLiteral("plain.txt"), QByteArray(10, 'x'));
  MakeFile(QStringLiteral(".hidden"), QByteArray(3, 'x'));
  const QString readOnly = MakeFile(QStringLiteral("ro.txt"));
  ASSERT_EQ(chmod(QFile::encodeName(readOnly).constData(), 0444), 0);
  ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("folder")));
  ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral(".config")));
  ASSERT_TRUE(QFile::link(Path(QStringLiteral("plain.txt")), Path(QStringLiteral("link.txt"))));
  ASSERT_TRUE(QFile::link(Path(QStringLiteral("folder")), Path(QStringLiteral("dirlink"))));
  ASSERT_TRUE(QFile::link(Path(QStringLiteral("gone")), Path(QStringLiteral("dangling"))));

  const struct {
    const char* Name;
    const char* Letters;
    int64_t Size;
  } cases[] = {
      {"plain.txt", "-------", 10},
      {".hidden", "-H-----", 3},
      {"ro.txt", "R------", 4},
      {"folder", "----D--", 0},
      {"folder/", "----D--", 0},
      {".config", "-H--D--", 0},
      {"link.txt", "------L", 10},  // the target's size
      {"dirlink", "----D-L", 0},
      {"dangling", "------L", 0},  // found although its target is missing
  };
  for (const auto& c : cases) {
    const TFileProperties info = Read(Path(QString::fromUtf8(c.Name)));
    EXPECT_EQ(FileAttributesText(info.Attributes), QString::fromUtf8(c.Letters)) << c.Name;
    EXPECT_EQ(info.Size, c.Size) << c.Name;
    EXPECT_NE(info.Modified, 0.0) << c.Name;
  }
}

TEST_F(FilePropertiesTest, LinkReportsTheTargetsTimes) {
  const QString target = MakeFile(QStringLiteral("old.txt"));
  const QDateTime past(QDate(2016, 12, 4), QTime(14, 3, 59));
  {
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(past, QFileDevice::FileModificationTime));
  }
  ASSERT_TRUE(QFile::link(target, Path(QStringLiteral("new-link"))));
  const TFileProperties info = Read(Path(QStringLiteral("new-link")));
  EXPECT_NEAR(info.Modified, FileTimeToLocalDateTime(past), 1e-7);
  EXPECT_EQ(DateTimeToQDateTime(info.Modified), past);
}
}  // namespace
