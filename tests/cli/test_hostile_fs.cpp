// digrexsum on file systems nobody meant to give it: link loops, pipes and devices,
// unreadable entries, files that change while read, sparse giants, names that are not
// UTF-8, deep paths and crowded folders. The program runs with the exact bytes of its
// arguments, and a run that does not end in time counts as a hang.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fcntl.h>
#include <ftw.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "cli/FileHasher.h"
#include "dialogs/VerificationWriter.h"
#include "engine/QStringPrinter.h"
#include "util/PathCodec.h"

extern char** environ;

namespace {

struct TRun {
  int Code = -1;  // -1: killed after the time allowed
  QByteArray Out;
  QByteArray Err;
};

QByteArray ReadAll(const QByteArray& path) {
  QFile file(DecodePath(path));
  QByteArray data;
  const int fd = ::open(path.constData(), O_RDONLY);
  if (fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) data = file.readAll();
  return data;
}

// Runs a program with arguments given as bytes; standard input is /dev/null.
TRun RunRaw(const QByteArray& program, const std::vector<QByteArray>& args, const QByteArray& scratch,
            int seconds = 120) {
  const QByteArray outPath = scratch + "/.out", errPath = scratch + "/.err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> argv{const_cast<char*>(program.constData())};
  for (const QByteArray& a : args) argv.push_back(const_cast<char*>(a.constData()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  TRun run;
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << program.constData();
    return run;
  }
  QElapsedTimer clock;
  clock.start();
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (clock.elapsed() > seconds * 1000) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      ADD_FAILURE() << "digrexsum did not end within " << seconds << " s";
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Out = ReadAll(outPath);
  run.Err = ReadAll(errPath);
  return run;
}

void MakeFile(const QByteArray& path, const QByteArray& data = {}) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0) << path.constData() << ": " << std::strerror(errno);
  ASSERT_EQ(::write(fd, data.constData(), size_t(data.size())), data.size());
  ::close(fd);
}

void MakeFolder(const QByteArray& path) { ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData(); }

// Output lines as a set; each must be unique.
std::set<QByteArray> Lines(const QByteArray& out) {
  std::set<QByteArray> lines;
  for (const QByteArray& line : out.split('\n'))
    if (!line.isEmpty()) {
      EXPECT_TRUE(lines.insert(line).second) << "repeated: " << line.constData();
    }
  return lines;
}

// QTemporaryDir cannot remove names that are not UTF-8, nor enter folders left locked.
int RemoveEntry(const char* path, const struct stat*, int type, FTW*) {
  if (type == FTW_DP) return ::rmdir(path), 0;
  return ::unlink(path), 0;
}

class HostileFsCli : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
  void TearDown() override {
    ::chmod(Path("t/locked").constData(), 0755);
    ::nftw(Root.constData(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  }
  QByteArray Path(const char* relative) const { return Root + '/' + relative; }
  TRun Sum(const std::vector<QByteArray>& args, int seconds = 120) const {
    return RunRaw(DIGREXSUM_PATH, args, Root, seconds);
  }

  QTemporaryDir Dir;
  const QByteArray Root = EncodePath(Dir.path());
};

constexpr char AbcCrc[] = "352441c2";

TEST_F(HostileFsCli, LinkLoopsAreWalkedOnce) {
  MakeFolder(Path("t"));
  MakeFolder(Path("t/sub"));
  MakeFile(Path("t/a.txt"), "abc");
  MakeFile(Path("t/sub/b.txt"), "abc");
  ASSERT_EQ(::symlink("..", Path("t/sub/up").constData()), 0);
  ASSERT_EQ(::symlink(Path("t").constData(), Path("t/sub/top").constData()), 0);
  ASSERT_EQ(::symlink("loop2", Path("t/loop1").constData()), 0);  // a link loop of its own: a dangling name
  ASSERT_EQ(::symlink("loop1", Path("t/loop2").constData()), 0);
  const TRun run = Sum({"--lower", "-a", "crc32", Path("t")}, 30);
  const std::set<QByteArray> lines = Lines(run.Out);
  EXPECT_EQ(lines, (std::set<QByteArray>{QByteArray(AbcCrc) + "  " + Path("t/a.txt"),
                                         QByteArray(AbcCrc) + "  " + Path("t/sub/b.txt")}))
      << run.Out.constData();
  // The two links that lead nowhere are told, and the run fails.
  EXPECT_TRUE(run.Err.contains(Path("t/loop1") + ": ")) << run.Err.constData();
  EXPECT_TRUE(run.Err.contains(Path("t/loop2") + ": ")) << run.Err.constData();
  EXPECT_EQ(run.Code, 1);
}

TEST_F(HostileFsCli, PipesSocketsAndDevicesInAFolderAreRefusedAtOnce) {
  MakeFolder(Path("t"));
  MakeFile(Path("t/a.txt"), "abc");
  ASSERT_EQ(::mkfifo(Path("t/pipe").constData(), 0600), 0);  // no writer: reading would wait for ever
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray socketPath = Path("t/socket");
  ASSERT_LT(size_t(socketPath.size()), sizeof(address.sun_path));
  std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ::close(sock);
  ASSERT_EQ(::symlink("/dev/zero", Path("t/zero").constData()), 0);  // would never end
  ASSERT_EQ(::symlink("/dev/null", Path("t/null").constData()), 0);

  const TRun run = Sum({"--lower", "-a", "crc32", Path("t")}, 30);
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(Lines(run.Out), std::set<QByteArray>{QByteArray(AbcCrc) + "  " + Path("t/a.txt")}) << run.Out.constData();
  for (const char* name : {"t/pipe", "t/zero", "t/null"})
    EXPECT_TRUE(run.Err.contains(Path(name) + ": not a regular file")) << name << run.Err.constData();
  EXPECT_TRUE(run.Err.contains(Path("t/socket") + ": ")) << run.Err.constData();  // cannot even be opened

  // Named by the user, a device is read as the sum tools read it.
  const TRun named = Sum({"--lower", "-a", "crc32", "/dev/null"}, 30);
  EXPECT_EQ(named.Code, 0) << named.Err.constData();
  EXPECT_EQ(named.Out, "00000000  /dev/null\n");
}

TEST_F(HostileFsCli, UnreadableFilesAndFoldersFailTheRun) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop the administrator";
  MakeFolder(Path("t"));
  MakeFolder(Path("t/locked"));
  MakeFile(Path("t/locked/x.txt"), "x");
  MakeFile(Path("t/secret.txt"), "s");
  MakeFile(Path("t/a.txt"), "abc");
  ASSERT_EQ(::chmod(Path("t/locked").constData(), 0), 0);
  ASSERT_EQ(::chmod(Path("t/secret.txt").constData(), 0), 0);
  const TRun run = Sum({"--lower", "-a", "crc32", Path("t")}, 30);
  ::chmod(Path("t/locked").constData(), 0755);
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(Lines(run.Out), std::set<QByteArray>{QByteArray(AbcCrc) + "  " + Path("t/a.txt")});
  EXPECT_TRUE(run.Err.contains(Path("t/locked") + ": Permission denied")) << run.Err.constData();
  EXPECT_TRUE(run.Err.contains(Path("t/secret.txt") + ": Permission denied")) << run.Err.constData();
}

TEST_F(HostileFsCli, FilesThatChangeWhileReadOrQueued) {
  // Three blocks of the hasher; between blocks the file is cut, or removed.
  const QByteArray data(3 * int(TFileHasher::LaneBlockSize) + 5, 'q');
  TFileHasher hasher;
  THashList digests;
  const QByteArray path = Path("moving.bin");
  const THashTypes types = HashTypeBit(htCRC32) | HashTypeBit(htSHA1);

  MakeFile(path, data);
  ASSERT_EQ(hasher.Hash(DecodePath(path), types, digests), 0);
  const THashList whole = digests;

  hasher.OnProgress = [&](uint64_t done, uint64_t) {
    if (done == TFileHasher::LaneBlockSize) {
      ASSERT_EQ(::truncate(path.constData(), 1000), 0);
    }
  };
  EXPECT_EQ(hasher.Hash(DecodePath(path), types, digests), TFileHasher::FileShrank);
  EXPECT_EQ(hasher.ErrorText, QStringLiteral("file became shorter while it was read"));
  EXPECT_TRUE(digests.GetHash(htCRC32).isEmpty());

  // Removed while read: the open file still holds its whole content, which is hashed.
  MakeFile(path, data);
  hasher.OnProgress = [&](uint64_t done, uint64_t) {
    if (done == TFileHasher::LaneBlockSize) {
      ASSERT_EQ(::unlink(path.constData()), 0);
    }
  };
  ASSERT_EQ(hasher.Hash(DecodePath(path), types, digests), 0);
  EXPECT_EQ(digests.GetHash(htSHA1), whole.GetHash(htSHA1));

  // Removed or emptied before its turn, as when a folder's file goes between listing and reading.
  hasher.OnProgress = nullptr;
  EXPECT_EQ(hasher.Hash(DecodePath(path), types, digests), ENOENT);
  MakeFile(path, data);
  ASSERT_EQ(::truncate(path.constData(), 0), 0);
  ASSERT_EQ(hasher.Hash(DecodePath(path), types, digests), 0);
  EXPECT_EQ(digests.GetHash(htCRC32), QStringLiteral("00000000"));
}

TEST_F(HostileFsCli, NamesThatAreNotUtf8AreHashedWrittenAndVerified) {
  MakeFolder(Path("t"));
  const QByteArray name = Path("t/caf\xE9 \xFF.txt");
  MakeFile(name, "abc");
  const QByteArray expected = QByteArray(AbcCrc) + "  " + name + "\n";

  // Named on the command line, and found in a folder: the same bytes come out.
  const TRun named = Sum({"--lower", "-a", "crc32", name});
  EXPECT_EQ(named.Code, 0) << named.Err.constData();
  EXPECT_EQ(named.Out, expected);
  const TRun walked = Sum({"--lower", "-a", "crc32", Path("t")});
  EXPECT_EQ(walked.Out, expected);

  // Its own list verifies, and so does a log saved by the desktop program.
  MakeFile(Path("own.crc32"), walked.Out);
  const TRun own = Sum({"-c", Path("own.crc32")});
  EXPECT_EQ(own.Code, 0) << own.Err.constData();
  EXPECT_EQ(own.Out, name + ": OK\n");

  auto record = std::make_shared<THashFile>(DecodePath(name));
  TFileHasher hasher;
  ASSERT_EQ(hasher.Hash(record->FileName, HashTypeBit(htMD5), record->Hashes), 0);
  TVerificationWriter writer;
  writer.Format = vfSUM;
  writer.HashType = htMD5;
  writer.OnNextFile = TVerificationWriter::FromRecords({record});
  writer.SaveToFile(Dir.filePath(QStringLiteral("t/saved.md5")));
  const QByteArray saved = ReadAll(Path("t/saved.md5"));
  EXPECT_TRUE(saved.contains("900150983cd24fb0d6963f7d28e17f72  caf\xE9 \xFF.txt\r\n")) << saved.toHex().constData();
  const TRun verified = Sum({"-c", Path("t/saved.md5")});
  EXPECT_EQ(verified.Code, 0) << verified.Err.constData();

  const QString md5sum = QStandardPaths::findExecutable(QStringLiteral("md5sum"));
  if (!md5sum.isEmpty()) {
    // The sum tools read the name's bytes as well (they run in the list's folder).
    MakeFile(Path("t/plain.md5"), saved.mid(saved.indexOf('\n') + 1).replace("\r\n", "\n"));
    const QByteArray script = "cd \"$1\" && exec \"$2\" -c plain.md5";
    const TRun coreutils = RunRaw("/bin/sh", {"-c", script, "sh", Path("t"), EncodePath(md5sum)}, Root);
    EXPECT_EQ(coreutils.Code, 0) << coreutils.Out.constData() << coreutils.Err.constData();
  }
}

TEST_F(HostileFsCli, PathsOfThousandsOfBytes) {
  // Fifteen nested folders of 200 bytes: a 3,000-byte path, under the system's 4,096.
  QByteArray deep = Path("t");
  MakeFolder(deep);
  for (int level = 0; level < 15; ++level) {
    deep += '/' + QByteArray(200, char('a' + level));
    MakeFolder(deep);
  }
  const QByteArray file = deep + "/f.txt";
  ASSERT_GT(file.size(), 3000);
  MakeFile(file, "abc");
  const QByteArray expected = QByteArray(AbcCrc) + "  " + file + "\n";
  const TRun walked = Sum({"--lower", "-a", "crc32", Path("t")});
  EXPECT_EQ(walked.Code, 0) << walked.Err.left(500).constData();
  EXPECT_EQ(walked.Out, expected);
  const TRun named = Sum({"--lower", "-a", "crc32", file});
  EXPECT_EQ(named.Out, expected);
}

TEST_F(HostileFsCli, LargeFileOver4GiBSparse) {
  // 4 GiB of zeros (a hole, no disk space) and "abc": a size that 32 bits cannot hold.
  const QByteArray path = Path("big.bin");
  const int64_t size = (int64_t(1) << 32) + 3;
  MakeFile(path);
  const int fd = ::open(path.constData(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::pwrite(fd, "abc", 3, off_t(size - 3)), 3);
  ::close(fd);
  struct stat st {};
  ASSERT_EQ(::stat(path.constData(), &st), 0);
  ASSERT_EQ(int64_t(st.st_size), size);
  // The reference from Python's zlib.crc32 over the same bytes.
  const TRun run = Sum({"--lower", "-a", "crc32", path}, 240);
  EXPECT_EQ(run.Code, 0) << run.Err.constData();
  EXPECT_EQ(run.Out, "eb2147cc  " + path + "\n");
}

TEST_F(HostileFsCli, LargeFolderOf100000Files) {
  MakeFolder(Path("crowd"));
  constexpr int Count = 100000;
  for (int i = 0; i < Count; ++i) {
    const int fd = ::open(Path("crowd/").append(QByteArray::number(i)).constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  QElapsedTimer clock;
  clock.start();
  const TRun run = Sum({"--lower", "-a", "crc32", Path("crowd")}, 120);
  const qint64 ms = clock.elapsed();
  EXPECT_EQ(run.Code, 0) << run.Err.left(500).constData();
  const QList<QByteArray> lines = run.Out.split('\n');
  ASSERT_EQ(lines.size(), Count + 1);  // the last line end leaves an empty piece
  std::set<QByteArray> names;
  for (int i = 0; i < Count; ++i) {
    ASSERT_TRUE(lines[i].startsWith("00000000  " + Path("crowd/"))) << lines[i].constData();
    names.insert(lines[i].mid(10));
  }
  EXPECT_EQ(names.size(), size_t(Count));
  std::printf("digrexsum hashed %d empty files of one folder in %lld ms\n", Count, static_cast<long long>(ms));
}

}  // namespace
