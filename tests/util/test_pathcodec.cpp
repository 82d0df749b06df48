// File names as text without loss: bytes that are not UTF-8 survive the way through
// QString and back, and UTF-8 reads as Qt reads it.
#include <gtest/gtest.h>

#include <QUrl>
#include <random>

#include "util/PathCodec.h"

namespace {

TEST(PathCodecTest, ValidUtf8ReadsAsQtReadsIt) {
  for (const char* text : {"", "plain.txt", "caf\xC3\xA9 \xE2\x82\xAC.txt", "\xF0\x9F\x98\x80/\xEF\xBF\xBD",
                           "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"}) {
    const QByteArray bytes(text);
    EXPECT_EQ(DecodePath(bytes), QString::fromUtf8(bytes)) << text;
    EXPECT_EQ(EncodePath(QString::fromUtf8(bytes)), bytes) << text;
  }
}

TEST(PathCodecTest, EachBadByteBecomesItsOwnEscapeAndComesBack) {
  struct TCase {
    QByteArray Bytes;
    QString Text;
  };
  const TCase cases[] = {
      {QByteArray("caf\xE9.txt"), QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral(".txt")},
      {QByteArray("\xFF\xFE"), QString(QChar(0xDCFF)) + QChar(0xDCFE)},
      // Overlong "/", an encoded surrogate, a code above U+10FFFF, a cut-off sequence.
      {QByteArray("\xC0\xAF"), QString(QChar(0xDCC0)) + QChar(0xDCAF)},
      {QByteArray("\xED\xB3\xA9"), QString(QChar(0xDCED)) + QChar(0xDCB3) + QChar(0xDCA9)},
      {QByteArray("\xF4\x90\x80\x80"), QString(QChar(0xDCF4)) + QChar(0xDC90) + QChar(0xDC80) + QChar(0xDC80)},
      {QByteArray("a\xE2\x82"), QStringLiteral("a") + QChar(0xDCE2) + QChar(0xDC82)},
      // A valid character right after a bad byte is still read as one.
      {QByteArray("\x80\xC3\xA9"), QString(QChar(0xDC80)) + QChar(0xE9)},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(DecodePath(c.Bytes), c.Text) << c.Bytes.toHex().toStdString();
    EXPECT_EQ(EncodePath(c.Text), c.Bytes) << c.Bytes.toHex().toStdString();
  }
}

TEST(PathCodecTest, AnyBytesRoundTrip) {
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    QByteArray bytes(int(random() % 12) + 1, '\0');
    for (char& b : bytes) {
      b = char(random() % 255 + 1);  // names hold no NUL
      if (random() % 3 == 0) b = char(0x80 | (random() % 0x80));  // mostly high bytes
    }
    ASSERT_EQ(EncodePath(DecodePath(bytes)), bytes) << bytes.toHex().toStdString();
  }
}

TEST(PathCodecTest, LoneSurrogatesOutsideTheEscapesAreReplaced) {
  EXPECT_EQ(EncodePath(QString(QChar(0xD800)) + u'x'), QByteArray("\xEF\xBF\xBDx"));
  EXPECT_EQ(EncodePath(QString(QChar(0xDC10))), QByteArray("\xEF\xBF\xBD"));
}

TEST(PathCodecTest, ArgumentsAndDroppedAddressesKeepTheirBytes) {
  const char* argv[] = {"digrex", "caf\xE9.txt", "--lang", "/tmp/\xC3\xA9"};
  EXPECT_EQ(DecodeArguments(4, argv),
            QStringList({DecodePath("caf\xE9.txt"), QStringLiteral("--lang"), QStringLiteral("/tmp/\u00E9")}));

  // As a file manager writes them into text/uri-list.
  EXPECT_EQ(EncodePath(LocalPathOfUrl(QUrl(QStringLiteral("file:///tmp/caf%E9%20x.txt")))),
            QByteArray("/tmp/caf\xE9 x.txt"));
  EXPECT_EQ(LocalPathOfUrl(QUrl(QStringLiteral("file:///tmp/caf%C3%A9/%25"))), QStringLiteral("/tmp/caf\u00E9/%"));
  EXPECT_EQ(LocalPathOfUrl(QUrl::fromLocalFile(QStringLiteral("/a b/c#d?e"))), QStringLiteral("/a b/c#d?e"));
  EXPECT_EQ(LocalPathOfUrl(QUrl(QStringLiteral("file://localhost/etc/hosts"))), QStringLiteral("/etc/hosts"));
  EXPECT_TRUE(LocalPathOfUrl(QUrl(QStringLiteral("https://example.org/x"))).isEmpty());
}

}  // namespace
