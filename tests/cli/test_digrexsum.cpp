// digrexsum end to end: the built program, and the real coreutils where they
// read or write the same files.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

#include "cli/FileHasher.h"
#include "dialogs/VerificationWriter.h"
#include "engine/QStringPrinter.h"

namespace {

struct TRun {
  int Code = -1;
  QByteArray Out;
  QByteArray Err;
};

TRun RunTool(const QString& program, const QStringList& args, const QString& folder = {}, const QByteArray& input = {}) {
  static int argc = 1;
  static char name[] = "test_digrexsum";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
  (void)app;
  QProcess process;
  if (!folder.isEmpty()) process.setWorkingDirectory(folder);
  process.start(program, args);
  EXPECT_TRUE(process.waitForStarted()) << program.toStdString();
  process.write(input);
  process.closeWriteChannel();
  EXPECT_TRUE(process.waitForFinished(120000));
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
          process.readAllStandardError()};
}

TRun Sum(const QStringList& args, const QString& folder = {}, const QByteArray& input = {}) {
  return RunTool(QStringLiteral(DIGREXSUM_PATH), args, folder, input);
}

QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

class DigrexSumTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Dir.isValid()); }

  QString Write(const QString& name, const QByteArray& data) {
    const QString path = Dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(data);
    return path;
  }

  // Names that trip up naive checksum tools.
  QStringList AwkwardFiles() {
    const QStringList names{QStringLiteral("blank name.txt"), QStringLiteral("ünïcødé €.bin"),
                            QStringLiteral("back\\slash"), QStringLiteral("new\nline")};
    for (qsizetype i = 0; i < names.size(); ++i) Write(names[i], QByteArray(100 + i, char('a' + i)));
    return names;
  }

  QTemporaryDir Dir;
};

TEST_F(DigrexSumTest, CoreutilsVerifyOurSumOutputWithAwkwardNames) {
  const QString sha256sum = Tool("sha256sum");
  if (sha256sum.isEmpty()) GTEST_SKIP() << "sha256sum not installed";
  const QStringList names = AwkwardFiles();
  const TRun ours = Sum(names, Dir.path());
  ASSERT_EQ(ours.Code, 0) << ours.Err.toStdString();
  Write(QStringLiteral("list.sha256"), ours.Out);
  const TRun theirs = RunTool(sha256sum, {QStringLiteral("-c"), QStringLiteral("list.sha256")}, Dir.path());
  EXPECT_EQ(theirs.Code, 0) << theirs.Out.toStdString() << theirs.Err.toStdString();
  EXPECT_EQ(theirs.Out.count(": OK\n"), names.size());
  // And our own check of the same list prints what theirs printed.
  const TRun again = Sum({QStringLiteral("-c"), QStringLiteral("list.sha256")}, Dir.path());
  EXPECT_EQ(again.Code, 0);
  EXPECT_EQ(again.Out, theirs.Out);
}

TEST_F(DigrexSumTest, WeVerifyCoreutilsOutputPlainAndTagged) {
  const QStringList names = AwkwardFiles();
  struct Case {
    const char* Tool;
    QStringList Options;
    const char* Suffix;  // what each OK line ends with
  };
  const Case cases[] = {
      {"sha256sum", {}, ": OK\n"},
      {"md5sum", {QStringLiteral("--tag")}, ": OK\n"},
      {"sha512sum", {QStringLiteral("--tag")}, ": OK\n"},
      {"sha1sum", {}, ": OK (SHA1)\n"},  // 40 digits: SHA1 or RipeMD160
  };
  for (const Case& c : cases) {
    const QString tool = Tool(c.Tool);
    if (tool.isEmpty()) continue;
    const TRun theirs = RunTool(tool, c.Options + names, Dir.path());
    ASSERT_EQ(theirs.Code, 0) << c.Tool;
    Write(QStringLiteral("list.txt"), theirs.Out);
    const TRun ours = Sum({QStringLiteral("-c"), QStringLiteral("list.txt")}, Dir.path());
    EXPECT_EQ(ours.Code, 0) << c.Tool << ours.Out.toStdString() << ours.Err.toStdString();
    EXPECT_EQ(ours.Out.count(c.Suffix), names.size()) << c.Tool << ours.Out.toStdString();
    EXPECT_TRUE(ours.Out.contains("\\new\\nline: OK")) << "escaped in the output as coreutils does";
  }
}

TEST_F(DigrexSumTest, ReadsWhatSaveLogWritesFromAnotherFolder) {
  Write(QStringLiteral("data/a b.txt"), "abc");
  Write(QStringLiteral("data/empty.bin"), "");
  TFileHasher hasher;
  std::vector<THashFilePtr> records;
  for (const char* name : {"data/a b.txt", "data/empty.bin"}) {
    auto record = std::make_shared<THashFile>(Dir.filePath(QString::fromLatin1(name)));
    ASSERT_EQ(hasher.Hash(record->FileName, HashTypeBit(htCRC32) | HashTypeBit(htMD5), record->Hashes), 0);
    records.push_back(record);
  }
  struct Case {
    TVerificationFormat Format;
    THashType Type;
    const char* File;
    const char* Ok;
  };
  const Case cases[] = {
      {vfSFV, htCRC32, "data/log.sfv", "a b.txt: OK\n"},
      {vfSFV, htMD5, "data/md5.sfv", "a b.txt: OK (MD5)\n"},  // Save Log may put MD5 in an SFV file
      {vfSUM, htMD5, "data/log.md5", "a b.txt: OK\n"},
  };
  for (const Case& c : cases) {
    TVerificationWriter writer;
    writer.Format = c.Format;
    writer.HashType = c.Type;
    writer.OnNextFile = TVerificationWriter::FromRecords(records);
    writer.SaveToFile(Dir.filePath(QString::fromLatin1(c.File)));
    // Run from the temporary folder itself: names resolve against data/, not the working folder.
    const TRun run = Sum({QStringLiteral("-c"), QString::fromLatin1(c.File)}, Dir.path());
    EXPECT_EQ(run.Code, 0) << c.File << run.Out.toStdString() << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains(c.Ok)) << c.File << run.Out.toStdString();
    EXPECT_TRUE(run.Err.contains("2 OK, 0 failed, 0 missing, 0 unparsed")) << run.Err.toStdString();
  }
}

TEST_F(DigrexSumTest, MixedListReportsEachLineAndCounts) {
  Write(QStringLiteral("good.txt"), "abc");
  Write(QStringLiteral("bad.txt"), "abd");
  Write(QStringLiteral("sub/win.txt"), "abc");
  QDir(Dir.path()).mkdir(QStringLiteral("folder"));
  Write(QStringLiteral("list"),
        "; made by hand\r\n"
        "MD5 (good.txt) = 900150983cd24fb0d6963f7d28e17f72\r\n"
        "900150983cd24fb0d6963f7d28e17f72  bad.txt\r\n"
        "gone.txt 352441C2\r\n"
        "sub\\win.txt 352441C2\r\n"
        "folder 352441C2\r\n"
        "this line means nothing\r\n");
  const TRun run = Sum({QStringLiteral("-c"), Dir.filePath(QStringLiteral("list"))});
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Out,
            "good.txt: OK\n"
            "bad.txt: FAILED\n"
            "gone.txt: FAILED open or read\n"
            "sub\\win.txt: OK\n"
            "folder: FAILED open or read\n");
  EXPECT_TRUE(run.Err.contains("gone.txt: No such file or directory")) << run.Err.toStdString();
  EXPECT_TRUE(run.Err.contains("2 OK, 1 failed, 2 missing, 1 unparsed")) << run.Err.toStdString();

  const TRun quiet = Sum({QStringLiteral("-c"), QStringLiteral("--quiet"), Dir.filePath(QStringLiteral("list"))});
  EXPECT_EQ(quiet.Code, 1);
  EXPECT_FALSE(quiet.Out.contains(": OK"));
  EXPECT_TRUE(quiet.Out.contains("bad.txt: FAILED\n"));

  const TRun status = Sum({QStringLiteral("-c"), QStringLiteral("--status"), Dir.filePath(QStringLiteral("list"))});
  EXPECT_EQ(status.Code, 1);
  EXPECT_TRUE(status.Out.isEmpty());
  EXPECT_TRUE(status.Err.isEmpty());
}

TEST_F(DigrexSumTest, UnreadableFileFailsOpenOrRead) {
  const QString path = Write(QStringLiteral("locked.txt"), "abc");
  const QString list = Write(QStringLiteral("list.md5"), "900150983cd24fb0d6963f7d28e17f72  locked.txt\n");
  QFile::setPermissions(path, QFileDevice::WriteOwner);
  QStringList command{QStringLiteral(DIGREXSUM_PATH), QStringLiteral("-c"), list};
  if (::geteuid() == 0) {
    // Root reads whatever the permissions say: run as an ordinary user instead.
    const QString runuser = Tool("runuser");
    const QStringList asNobody{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--")};
    QFile::setPermissions(Dir.path(), QFile::permissions(Dir.path()) | QFileDevice::ExeOther | QFileDevice::ReadOther);
    QFile::setPermissions(list, QFile::permissions(list) | QFileDevice::ReadOther);
    if (runuser.isEmpty() || RunTool(runuser, asNobody + QStringList{QStringLiteral(DIGREXSUM_PATH), QStringLiteral("--version")}).Code != 0)
      GTEST_SKIP() << "running as root without a way to drop the read permission";
    command = asNobody + command;
    command.prepend(runuser);
  }
  const TRun run = RunTool(command.first(), command.mid(1));
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Out, "locked.txt: FAILED open or read\n");
  EXPECT_TRUE(run.Err.contains("Permission denied")) << run.Err.toStdString();
}

TEST_F(DigrexSumTest, AmbiguousLengthsAreCheckedInOneReadAgainstEveryCandidate) {
  Write(QStringLiteral("abc"), "abc");
  // 32 digits: MD2, MD4, MD5, RipeMD128 or ED2K; 40: SHA1 or RipeMD160.
  Write(QStringLiteral("list"),
        "c14a12199c66e4ba84636b0f69144c77  abc\n"
        "da853b0d3f88d99b30283a69e6ded6bb  abc\n"
        "8EB208F7E05D987A9B044A8E98C6B087F15A0BFC  abc\n");
  const TRun run = Sum({QStringLiteral("-c"), Dir.filePath(QStringLiteral("list"))});
  EXPECT_EQ(run.Code, 0) << run.Err.toStdString();
  EXPECT_EQ(run.Out, "abc: OK (RipeMD128)\nabc: OK (MD2)\nabc: OK (RipeMD160)\n");
  // Naming the type takes the choice away.
  const TRun named = Sum({QStringLiteral("-c"), QStringLiteral("-a"), QStringLiteral("md5,sha1"),
                          Dir.filePath(QStringLiteral("list"))});
  EXPECT_EQ(named.Code, 1);
  EXPECT_EQ(named.Out, "abc: FAILED\nabc: FAILED\nabc: FAILED\n");
}

TEST_F(DigrexSumTest, ExitStatusTellsWhetherEverythingWasVerified) {
  Write(QStringLiteral("abc"), "abc");
  Write(QStringLiteral("ok.md5"), "900150983cd24fb0d6963f7d28e17f72  abc\n");
  Write(QStringLiteral("comments.md5"), "# nothing\n; here\n\n");
  struct Case {
    QStringList Args;
    QByteArray Input;
    int Code;
  };
  const Case cases[] = {
      {{"-c", "ok.md5"}, {}, 0},
      {{"-c", "-"}, "MD5 (abc) = 900150983cd24fb0d6963f7d28e17f72\n", 0},  // names from the working folder
      {{"-c", "comments.md5"}, {}, 1},                                     // nothing verified
      {{"-c", "ok.md5", "nosuch.md5"}, {}, 1},
      {{"-c", "-a", "sha256", "ok.md5"}, {}, 1},  // the line cannot be SHA256
      {{"--bogus"}, {}, 2},
      {{"-a", "sha3", "abc"}, {}, 2},
      {{"--lower", "--upper", "abc"}, {}, 2},
      {{"--status", "abc"}, {}, 2},
      {{"abc", "nosuch"}, {}, 1},
      {{"--version"}, {}, 0},
  };
  for (const Case& c : cases) {
    const TRun run = Sum(c.Args, Dir.path(), c.Input);
    EXPECT_EQ(run.Code, c.Code) << c.Args.join(u' ').toStdString() << "\n" << run.Err.toStdString();
  }
  EXPECT_TRUE(Sum({QStringLiteral("--version")}).Out.startsWith("digrexsum (Digrex) "));
  EXPECT_TRUE(Sum({QStringLiteral("--help")}).Out.contains("--algorithms"));
}

TEST_F(DigrexSumTest, HashesFoldersFilesAndStandardInput) {
  Write(QStringLiteral("tree/a.txt"), "abc");
  Write(QStringLiteral("tree/b.txt"), "");
  Write(QStringLiteral("tree/sub/c.txt"), "abc");
  const TRun run = Sum({QStringLiteral("-a"), QStringLiteral("crc32,md5"), QStringLiteral("tree"),
                        QStringLiteral("missing"), QStringLiteral("-")},
                       Dir.path(), "abc");
  EXPECT_EQ(run.Code, 1);  // the missing path
  EXPECT_TRUE(run.Err.contains("missing: No such file or directory"));
  const QList<QByteArray> lines = run.Out.split('\n');
  ASSERT_EQ(lines.size(), 9) << run.Out.toStdString();  // 4 inputs x 2 types, then the empty rest
  // Files of a folder come before those of its subfolders; no order is imposed among them.
  const QList<QByteArray> top = {lines[0], lines[1], lines[2], lines[3]};
  EXPECT_TRUE(top.contains("CRC32 (tree/a.txt) = 352441C2"));
  EXPECT_TRUE(top.contains("MD5 (tree/b.txt) = d41d8cd98f00b204e9800998ecf8427e"));
  EXPECT_EQ(lines[4], "CRC32 (tree/sub/c.txt) = 352441C2");
  EXPECT_EQ(lines[7], "MD5 (-) = 900150983cd24fb0d6963f7d28e17f72");

  const TRun sfv = Sum({QStringLiteral("--format=sfv"), QStringLiteral("-a"), QStringLiteral("CRC32"),
                        QStringLiteral("--header"), QStringLiteral("--crlf"), QStringLiteral("--lower"),
                        QStringLiteral("tree/a.txt")},
                       Dir.path());
  EXPECT_EQ(sfv.Code, 0);
  const QList<QByteArray> sfvLines = sfv.Out.split('\n');
  ASSERT_EQ(sfvLines.size(), 3);
  EXPECT_TRUE(sfvLines[0].startsWith("; Generated by Digrex (") && sfvLines[0].endsWith('\r'));
  EXPECT_EQ(sfvLines[1], "tree/a.txt 352441c2\r");
}

TEST_F(DigrexSumTest, LargeFilesMatchCoreutils) {
  QByteArray data(3 * 1024 * 1024 + 17, Qt::Uninitialized);
  for (qsizetype i = 0; i < data.size(); ++i) data[i] = char((i * 7919) >> 3);
  Write(QStringLiteral("big.bin"), data);
  const std::pair<const char*, const char*> tools[] = {
      {"md5sum", "md5"}, {"sha1sum", "sha1"}, {"sha256sum", "sha256"}, {"sha512sum", "sha512"}};
  for (const auto& [tool, type] : tools) {
    const QString path = Tool(tool);
    if (path.isEmpty()) continue;
    const TRun theirs = RunTool(path, {QStringLiteral("big.bin")}, Dir.path());
    const TRun ours = Sum({QStringLiteral("-a"), QString::fromLatin1(type), QStringLiteral("--lower"),
                           QStringLiteral("big.bin")},
                          Dir.path());
    EXPECT_EQ(ours.Out, theirs.Out) << tool;
    // Through a pipe, where sizes are unknown and reads come in pieces.
    const TRun piped = Sum({QStringLiteral("-a"), QString::fromLatin1(type), QStringLiteral("--lower")}, {}, data);
    EXPECT_EQ(piped.Out.left(piped.Out.indexOf(' ')), theirs.Out.left(theirs.Out.indexOf(' '))) << tool;
  }
}

}  // namespace
