// Depth-first folder walk: files of a folder before its subfolders, links followed once.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>
#include <set>

#include "util/FolderWalk.h"
#include "util/PathCodec.h"

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

TEST_F(FolderWalkTest, UnreadableFolderIsSkippedAndTold) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop the administrator";
  Files({"root/a.txt", "root/locked/b.txt", "root/open/c.txt"});
  const QString locked = Path(QStringLiteral("root/locked"));
  ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0), 0);
  const QStringList quiet = Walk(Path(QStringLiteral("root")));
  QStringList unreadable;
  WalkFolder(Path(QStringLiteral("root")), [](const QString&) {},
             [&](const QString& folder, int error) {
               EXPECT_EQ(error, EACCES);
               unreadable << folder;
             });
  chmod(QFile::encodeName(locked).constData(), 0700);
  EXPECT_EQ(std::set<QString>(quiet.begin(), quiet.end()), (std::set<QString>{"root/a.txt", "root/open/c.txt"}));
  EXPECT_EQ(unreadable, QStringList{locked});
}

TEST_F(FolderWalkTest, NamesThatAreNotUtf8KeepTheirBytes) {
  // Such names reach the caller in the lossless form of PathCodec.h, in a folder of such a
  // name too, so that opening them finds the file.
  const QByteArray root = QFile::encodeName(Path(QStringLiteral("caf"))) + "\xE9/";
  ASSERT_EQ(::mkdir(root.constData(), 0700), 0);
  const QByteArray names[] = {root + "bad\xFF.txt", root + "\xC0\xAF", root + "ok.txt"};
  for (const QByteArray& name : names) {
    const int fd = ::open(name.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  std::set<QByteArray> found;
  WalkFolder(DecodePath(root), [&](const QString& file) { found.insert(EncodePath(file)); });
  EXPECT_EQ(found, std::set<QByteArray>(std::begin(names), std::end(names)));
}
}  // namespace
