// digrexsum's building blocks: line formats, checksum-file reading, options.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "cli/ChecksumFile.h"
#include "cli/CliOptions.h"
#include "cli/DigestLine.h"
#include "cli/FileHasher.h"
#include "cli/ProgressLine.h"
#include "engine/QStringPrinter.h"

namespace {

const QString Md5Abc = QStringLiteral("900150983cd24fb0d6963f7d28e17f72");
const QString Crc = QStringLiteral("352441C2");
const QString Sha1 = QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d");

TEST(DigestLine, EscapesOnlyWhatTheSumToolsEscapeAndReadsItBack) {
  struct Case {
    QString Name;
    QString Escaped;
    bool Changed;
  };
  const Case cases[] = {
      {QStringLiteral("a b.txt"), QStringLiteral("a b.txt"), false},
      {QStringLiteral("Ünï €.txt"), QStringLiteral("Ünï €.txt"), false},
      {QStringLiteral("a\\b"), QStringLiteral("a\\\\b"), true},
      {QStringLiteral("line\nbreak\r"), QStringLiteral("line\\nbreak\\r"), true},
  };
  for (const Case& c : cases) {
    bool changed = false;
    EXPECT_EQ(EscapeFileName(c.Name, changed), c.Escaped);
    EXPECT_EQ(changed, c.Changed) << c.Name.toStdString();
    QString back;
    ASSERT_TRUE(UnescapeFileName(c.Escaped, back));
    EXPECT_EQ(back, c.Name);
  }
  QString ignored;
  EXPECT_FALSE(UnescapeFileName(QStringLiteral("ends\\"), ignored));
  EXPECT_FALSE(UnescapeFileName(QStringLiteral("\\t"), ignored));
}

TEST(DigestLine, WritesTheThreeFormats) {
  EXPECT_EQ(FormatDigestLine(TLineFormat::Sum, htMD5, Md5Abc, QStringLiteral("a b")), Md5Abc + QStringLiteral("  a b"));
  EXPECT_EQ(FormatDigestLine(TLineFormat::Sum, htMD5, Md5Abc, QStringLiteral("a\\b")),
            QStringLiteral("\\") + Md5Abc + QStringLiteral("  a\\\\b"));
  EXPECT_EQ(FormatDigestLine(TLineFormat::Sfv, htCRC32, Crc, QStringLiteral("a b")), QStringLiteral("a b 352441C2"));
  EXPECT_EQ(FormatDigestLine(TLineFormat::Tag, htRipeMD160, QStringLiteral("AB"), QStringLiteral("x(1)")),
            QStringLiteral("RipeMD160 (x(1)) = AB"));
  EXPECT_EQ(FormatDigestLine(TLineFormat::Tag, htSHA1, QStringLiteral("AB"), QStringLiteral("n\nl")),
            QStringLiteral("\\SHA1 (n\\nl) = AB"));
}

TEST(DigestLine, KnowsTheTagsOtherToolsWrite) {
  const std::pair<const char*, THashType> cases[] = {
      {"SHA256", htSHA256},       {"SHA-256", htSHA256},    {"SHA2-256", htSHA256}, {"sha512", htSHA512},
      {"RIPEMD-160", htRipeMD160}, {"RMD160", htRipeMD160}, {"RipeMD128", htRipeMD128}, {"CRC32", htCRC32},
      {"ED2K", htED2K},           {"MD5", htMD5},           {"BLAKE2b", htNone},    {"SHA", htNone},
  };
  for (const auto& [tag, type] : cases) EXPECT_EQ(HashTypeFromTag(QString::fromLatin1(tag)), type) << tag;
}

struct ParsedCase {
  const char* Line;
  const char* Name;  // nullptr: the line is not understood
  QString Digest;
  THashTypes Candidates;
};

TEST(ChecksumFile, ReadsEveryLineStyle) {
  const THashTypes md5Like = HashTypeBit(htMD2) | HashTypeBit(htMD4) | HashTypeBit(htMD5) |
                             HashTypeBit(htRipeMD128) | HashTypeBit(htED2K);
  const THashTypes sha1Like = HashTypeBit(htSHA1) | HashTypeBit(htRipeMD160);
  const ParsedCase cases[] = {
      // sum files
      {"900150983cd24fb0d6963f7d28e17f72  a b.txt", "a b.txt", Md5Abc, md5Like},
      {"900150983cd24fb0d6963f7d28e17f72 *bin.dat", "bin.dat", Md5Abc, md5Like},
      {"900150983cd24fb0d6963f7d28e17f72   lead", " lead", Md5Abc, md5Like},
      {"\\900150983cd24fb0d6963f7d28e17f72  a\\\\b\\nc", "a\\b\nc", Md5Abc, md5Like},
      {"900150983cd24fb0d6963f7d28e17f72  a\\b", "a\\b", Md5Abc, md5Like},
      {"900150983cd24fb0d6963f7d28e17f72 single", "single", Md5Abc, md5Like},
      // SFV
      {"some file.txt 352441C2", "some file.txt", Crc, HashTypeBit(htCRC32)},
      {"tabbed\t352441c2  ", "tabbed", QStringLiteral("352441c2"), HashTypeBit(htCRC32)},
      {"sfv.bin a9993e364706816aba3e25717850c26c9cd0d89d", "sfv.bin", Sha1, sha1Like},
      // tags
      {"SHA1 (x (1).txt) = a9993e364706816aba3e25717850c26c9cd0d89d", "x (1).txt", Sha1, HashTypeBit(htSHA1)},
      {"RIPEMD160(x)= a9993e364706816aba3e25717850c26c9cd0d89d", "x", Sha1, HashTypeBit(htRipeMD160)},
      {"\\MD5 (a\\\\b) = 900150983cd24fb0d6963f7d28e17f72", "a\\b", Md5Abc, HashTypeBit(htMD5)},
      // not understood
      {"SHA256 (x) = 900150983cd24fb0d6963f7d28e17f72", nullptr, {}, 0},  // length does not fit the tag
      {"BLAKE2b (x) = 900150983cd24fb0d6963f7d28e17f72", nullptr, {}, 0},
      {"900150983cd24fb0d6963f7d28e17f7  short", nullptr, {}, 0},
      {"900150983cd24fb0d6963f7d28e17fzz  nothex", nullptr, {}, 0},
      {"\\900150983cd24fb0d6963f7d28e17f72  bad\\escape", nullptr, {}, 0},
      {"just some words", nullptr, {}, 0},
      {"352441C2", nullptr, {}, 0},
  };
  for (const ParsedCase& c : cases) {
    const TChecksumList list = ParseChecksumText(QByteArray(c.Line), 0, htNone);
    if (!c.Name) {
      EXPECT_TRUE(list.Entries.empty()) << c.Line;
      EXPECT_EQ(list.UnparsedLines.size(), 1u) << c.Line;
      continue;
    }
    ASSERT_EQ(list.Entries.size(), 1u) << c.Line;
    EXPECT_EQ(list.Entries[0].Name, QString::fromUtf8(c.Name)) << c.Line;
    EXPECT_EQ(list.Entries[0].Digest, c.Digest) << c.Line;
    EXPECT_EQ(list.Entries[0].Candidates, c.Candidates) << c.Line;
  }
}

TEST(ChecksumFile, SkipsCommentsBlankLinesAndTheByteOrderMarkAcrossLineEnds) {
  const QByteArray text =
      "\xEF\xBB\xBF; Generated by Digrex\r\n"
      "# a comment\r\n"
      "\r\n"
      "   \n"
      "f\xC3\xBCr.txt 352441C2\r\n"
      "broken line\r\n"
      "900150983cd24fb0d6963f7d28e17f72  last";  // no line end at the end
  const TChecksumList list = ParseChecksumText(text, 0, htNone);
  ASSERT_EQ(list.Entries.size(), 2u);
  EXPECT_EQ(list.Entries[0].Name, QStringLiteral("für.txt"));
  EXPECT_EQ(list.Entries[0].LineNumber, 5);
  EXPECT_EQ(list.Entries[1].Name, QStringLiteral("last"));
  EXPECT_EQ(list.UnparsedLines, std::vector<int>{6});
}

TEST(ChecksumFile, TypeComesFromTagThenChoiceThenExtensionThenLength) {
  const QByteArray line = "900150983cd24fb0d6963f7d28e17f72  x\nMD4 (y) = 900150983cd24fb0d6963f7d28e17f72\n";
  struct Case {
    THashTypes Chosen;
    THashType Extension;
    THashTypes Untagged;  // candidates of the first line; the tagged line stays MD4
  };
  const THashTypes md5Like = HashTypesOfDigestLength(32);
  const Case cases[] = {
      {0, htNone, md5Like},
      {0, htMD5, HashTypeBit(htMD5)},
      {0, htCRC32, md5Like},  // a .sfv file with MD5 digests, as Save Log may write
      {HashTypeBit(htED2K), htMD5, HashTypeBit(htED2K)},
      {HashTypeBit(htMD5) | HashTypeBit(htSHA1), htNone, HashTypeBit(htMD5)},
  };
  for (const Case& c : cases) {
    const TChecksumList list = ParseChecksumText(line, c.Chosen, c.Extension);
    ASSERT_EQ(list.Entries.size(), 2u);
    EXPECT_EQ(list.Entries[0].Candidates, c.Untagged);
    EXPECT_EQ(list.Entries[1].Candidates, HashTypeBit(htMD4));
  }
  // A chosen type the digest cannot be leaves the line unread.
  EXPECT_EQ(ParseChecksumText("900150983cd24fb0d6963f7d28e17f72  x", HashTypeBit(htSHA256), htNone).UnparsedLines.size(),
            1u);
}

TEST(ChecksumFile, SfvFilesReadNamesThatLookLikeSumLinesAsNames) {
  const QByteArray line = "ab12cd34  x 0011AABB";
  EXPECT_EQ(ParseChecksumText(line, 0, htCRC32).Entries.at(0).Name, QStringLiteral("ab12cd34  x"));
  EXPECT_EQ(ParseChecksumText(line, 0, htNone).Entries.at(0).Name, QStringLiteral("x 0011AABB"));
}

TEST(ChecksumFile, TypeFromTheFileName) {
  const std::pair<const char*, THashType> cases[] = {
      {"a/b.sfv", htCRC32},     {"x.MD5", htMD5},         {"x.md5sum", htMD5},     {"SHA256SUMS.sha256", htSHA256},
      {"x.sha512sum", htSHA512}, {"x.sha1", htSHA1},      {"x.md4", htMD4},        {"x.md2", htMD2},
      {"x.ed2k", htED2K},       {"SHA256SUMS", htNone},  {"x.txt", htNone},       {"x.sum", htNone},
  };
  for (const auto& [name, type] : cases)
    EXPECT_EQ(HashTypeFromChecksumFileName(QString::fromLatin1(name)), type) << name;
}

TEST(CliOptions, ReadsHashingAndVerifyingCommandLines) {
  TCliOptions o = ParseCliOptions({});
  EXPECT_EQ(o.Paths, QStringList{QStringLiteral("-")});
  EXPECT_EQ(o.HashingTypes(), HashTypeBit(htSHA256));
  EXPECT_EQ(o.HashingFormat(), TLineFormat::Sum);

  o = ParseCliOptions({"-a", "md5,CRC32", "--format=sfv", "--header", "--crlf", "--upper", "x", "--", "-c"});
  EXPECT_EQ(o.Algorithms, HashTypeBit(htMD5) | HashTypeBit(htCRC32));
  EXPECT_EQ(o.HashingFormat(), TLineFormat::Sfv);
  EXPECT_TRUE(o.Header && o.CrLf && o.UpperCase && *o.UpperCase);
  EXPECT_EQ(o.Paths, (QStringList{"x", "-c"}));

  o = ParseCliOptions({"--algorithms", "ripemd160", "-asha1"});
  EXPECT_EQ(o.HashingFormat(), TLineFormat::Tag);  // several types
  EXPECT_EQ(ParseCliOptions({"-a", "all"}).Algorithms, AllHashTypes());

  o = ParseCliOptions({"-c", "--quiet", "--status", "a.sfv", "-"});
  EXPECT_TRUE(o.Check && o.Quiet && o.Status);
  EXPECT_EQ(o.Paths, (QStringList{"a.sfv", "-"}));
}

TEST(CliOptions, RefusesWhatCannotBeCarriedOut) {
  const QStringList cases[] = {
      {"--bogus"},          {"-a"},           {"-a", "sha3"},        {"-a", ","},
      {"--format", "xml"},  {"--lower", "--upper"}, {"--quiet"},     {"--status", "x"},
      {"-c", "--format=sum", "x"}, {"-c", "--header", "x"}, {"--crlf=yes"},
  };
  for (const QStringList& args : cases)
    EXPECT_THROW(ParseCliOptions(args), ECliUsageError) << args.join(u' ').toStdString();
}

TEST(FileHasher, LargeAndSmallFilesGiveWhatOneListGivesInMemory) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // One file below the small-file limit, one well above it (several lane blocks, uneven end).
  for (const qsizetype size : {qsizetype(1000), qsizetype(TFileHasher::LaneBlockSize) * 2 + 12345}) {
    QByteArray data(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) data[i] = char((i * 131 + i / 977) & 0xFF);
    const QString path = dir.filePath(QStringLiteral("f%1").arg(size));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();

    TDigrexList reference;
    reference.Init(AllHashTypes());
    reference.Update(data.constData(), uint32_t(data.size()));
    reference.Final();
    THashList expected;
    reference.GetResults(expected);

    for (unsigned threads : {1u, 2u}) {
      TFileHasher hasher(threads);
      THashList digests;
      ASSERT_EQ(hasher.Hash(path, AllHashTypes(), digests), 0);
      for (int t = FirstHashType; t <= LastHashType; ++t)
        EXPECT_EQ(digests.GetHash(t), expected.GetHash(t)) << "size " << size << " type " << t << " threads " << threads;
      // The same object again with fewer types: only those come back.
      ASSERT_EQ(hasher.Hash(path, HashTypeBit(htSHA1), digests), 0);
      EXPECT_EQ(digests.Types, HashTypeBit(htSHA1));
      EXPECT_EQ(digests.GetHash(htSHA1), expected.GetHash(htSHA1));
    }
  }
  TFileHasher hasher(2);
  THashList digests;
  EXPECT_EQ(hasher.Hash(dir.filePath(QStringLiteral("missing")), AllHashTypes(), digests), ENOENT);
  EXPECT_FALSE(hasher.ErrorText.isEmpty());
  EXPECT_EQ(hasher.Hash(dir.path(), AllHashTypes(), digests), EISDIR);
}

TEST(ProgressLine, DrawsOnlyWhenEnabledAndClearsItself) {
  for (const bool enabled : {false, true}) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    {
      TProgressLine line(stream, enabled, 0);
      line.FileStarted(QStringLiteral("big.iso"));
      line.Advance(50, 200);
      EXPECT_EQ(line.Visible(), enabled);
    }
    std::fclose(stream);
    const QByteArray text(buffer, qsizetype(size));
    std::free(buffer);
    if (!enabled) {
      EXPECT_TRUE(text.isEmpty());
      continue;
    }
    EXPECT_TRUE(text.contains("big.iso")) << text.toStdString();
    EXPECT_TRUE(text.contains(" 25%")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\r\x1b[K")) << "the line is taken off when done";
  }
}

}  // namespace
