// Depth-first folder walk: files of a folder before its subfolders, links followed once.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "util/FolderWalk.h"

namespace {
class FolderWalkTest : public ::testing::Test {
 protected:
  QString Path(const QString& relative) const { return Dir.path() + u'/' + relative; }

  void Files(std::initializer_list<const char*> names) const {
    for (const char* name : names) {
      const QString path = Path(QString::fromUtf8(name));
      ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name;
    }
  }

  void Link(const char* target, const char* name) const {
    ASSERT_TRUE(QFile::link(Path(QString::fromUtf8(target)), Path(QString::fromUtf8(name)))) << name;
  }

  // The walk's output with the temporary folder's path cut off.
  QStringList Walk(const QString& start) const {
    QStringList found;
    WalkFolder(start, [&](const QString& file) {
      EXPECT_TRUE(file.startsWith(Dir.path() + u'/')) << file.toStdString();
      found.append(file.mid(Dir.path().size() + 1));
    });
    return found;
  }

  QTemporaryDir Dir;
};

TEST_F(FolderWalkTest, FilesComeBeforeSubfoldersAndEachSubtreeStaysTogether) {
  Files({"root/a.txt", "root/b.txt", "root/.hidden", "root/sub/c.txt", "root/sub/deeper/d.txt", "root/sub/e.txt",
         "root/sub2/f.txt"});
  ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("root/empty/inner"))));
  ASSERT_EQ(mkfifo(QFile::encodeName(Path(QStringLiteral("root/pipe"))).constData(), 0600), 0);

  for (const QString& start : {Path(QStringLiteral("root")), Path(QStringLiteral("root/"))}) {
    const QStringList found = Walk(start);
    ASSERT_EQ(found.size(), 8) << found.join(u' ').toStdString();
    // Every non-folder entry of root, hidden files and the pipe included, comes first.
    const QStringList first = found.mid(0, 4);
    EXPECT_EQ(std::set<QString>(first.begin(), first.end()),
              (std::set<QString>{"root/a.txt", "root/b.txt", "root/.hidden", "root/pipe"}));
    // Then sub's tree and sub2's in either order, each in one piece, sub's own files before deeper's.
    const QStringList rest = found.mid(4);
    const qsizetype sub2 = rest.indexOf(QStringLiteral("root/sub2/f.txt"));
    ASSERT_TRUE(sub2 == 0 || sub2 == 3) << rest.join(u' ').toStdString();
    const QStringList subTree = sub2 == 0 ? rest.mid(1) : rest.mid(0, 3);
    EXPECT_EQ(subTree.last(), QStringLiteral("root/sub/deeper/d.txt"));
    EXPECT_EQ(std::set<QString>(subTree.begin(), subTree.end() - 1),
              (std::set<QString>{"root/sub/c.txt", "root/sub/e.txt"}));
  }
}

TEST_F(FolderWalkTest, LinksToFoldersAreFollowedAndLoopsEnd) {
  Files({"root/a.txt", "root/sub/b.txt", "outside/c.txt"});
  Link("root", "root/sub/back");    // a loop back to the start
  Link("root/sub", "root/again");   // a second way into sub
  Link("outside", "root/out");      // a folder elsewhere
  Link("root/a.txt", "root/alias.txt");
  Link("nowhere", "root/dangling");

  QStringList found = Walk(Path(QStringLiteral("root")));
  // Each real folder is walked once, through whichever name the listing reaches first.
  EXPECT_EQ(found.size(), 5) << found.join(u' ').toStdString();
  EXPECT_EQ(found.removeDuplicates(), 0);
  EXPECT_TRUE(found.contains(QStringLiteral("root/a.txt")));
  EXPECT_TRUE(found.contains(QStringLiteral("root/alias.txt")));
  EXPECT_TRUE(found.contains(QStringLiteral("root/dangling")));  // reported; hashing it will fail
  EXPECT_TRUE(found.contains(QStringLiteral("root/out/c.txt")));
  EXPECT_TRUE(found.contains(QStringLiteral("root/sub/b.txt")) || found.contains(QStringLiteral("root/again/b.txt")));
}

TEST_F(FolderWalkTest, EmptyMissingAndFileStartsAddNothing) {
  ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("empty/a/b"))));
  Files({"file.txt"});
  EXPECT_TRUE(Walk(Path(QStringLiteral("empty"))).isEmpty());
  EXPECT_TRUE(Walk(Path(QStringLiteral("missing"))).isEmpty());
  EXPECT_TRUE(Walk(Path(QStringLiteral("file.txt"))).isEmpty());
  EXPECT_TRUE(Walk(QString()).isEmpty());
}

TEST_F(FolderWalkTest, UnreadableFolderIsSkippedQuietly) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop the administrator";
  Files({"root/a.txt", "root/locked/b.txt", "root/open/c.txt"});
  ASSERT_EQ(chmod(QFile::encodeName(Path(QStringLiteral("root/locked"))).constData(), 0), 0);
  const QStringList found = Walk(Path(QStringLiteral("root")));
  chmod(QFile::encodeName(Path(QStringLiteral("root/locked"))).constData(), 0700);
  EXPECT_EQ(std::set<QString>(found.begin(), found.end()),
            (std::set<QString>{"root/a.txt", "root/open/c.txt"}));
}

TEST_F(FolderWalkTest, NameThatIsNotUtf8IsStillReported) {
  // Such a name has no exact text form; it is reported rather than silently dropped,
  // so hashing it shows an error to the user.
  ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("root"))));
  const QByteArray raw = QFile::encodeName(Path(QStringLiteral("root/"))) + QByteArray("bad\xFF.txt");
  const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ::close(fd);
  const QStringList found = Walk(Path(QStringLiteral("root")));
  ASSERT_EQ(found.size(), 1);
  EXPECT_TRUE(found[0].startsWith(QStringLiteral("root/bad"))) << found[0].toStdString();
  EXPECT_TRUE(found[0].endsWith(QStringLiteral(".txt"))) << found[0].toStdString();
}
}  // namespace
