// Typed text to hashed bytes in UTF-8, UTF-16LE and Windows-1252.
#include <gtest/gtest.h>

#include "util/TextEncoding.h"

namespace {
struct TEncoded {
  QByteArray Bytes;
  QString Shown;
};

TEncoded Encode(const QString& text, int encoding) {
  TEncoded r{QByteArray("stale"), QStringLiteral("stale")};
  EncodeText(text, encoding, r.Bytes, r.Shown);
  return r;
}

TEST(EncodeText, BytesAndShownTextPerEncoding) {
  const QString e = QStringLiteral("é");
  const QString smile = QString::fromUcs4(U"\U0001F600");
  const struct {
    QString Text;
    int Encoding;
    QByteArray Bytes;
    QString Shown;
  } cases[] = {
      {e, teUTF8, QByteArray("\xC3\xA9"), e},
      {e, teUnicode, QByteArray("\xE9\x00", 2), e},
      {e, teANSI, QByteArray("\xE9"), e},
      // The euro sign is where Windows-1252 differs from Latin-1.
      {QStringLiteral("€"), teANSI, QByteArray("\x80"), QStringLiteral("€")},
      // Characters the code page lacks are hashed and shown as "?", one per character.
      {QStringLiteral("aĀ漢b"), teANSI, QByteArray("a??b"), QStringLiteral("a??b")},
      {smile, teANSI, QByteArray("?"), QStringLiteral("?")},
      {smile, teUnicode, QByteArray("\x3D\xD8\x00\xDE", 4), smile},
      {smile, teUTF8, QByteArray("\xF0\x9F\x98\x80"), smile},
      // Line ends and everything else pass unchanged, with no terminator or byte-order mark.
      {QStringLiteral("a\r\nb\n"), teANSI, QByteArray("a\r\nb\n"), QStringLiteral("a\r\nb\n")},
      {QStringLiteral("ab"), teUnicode, QByteArray("a\0b\0", 4), QStringLiteral("ab")},
      // Unknown numbers behave as UTF-8.
      {e, 7, QByteArray("\xC3\xA9"), e},
      {e, -1, QByteArray("\xC3\xA9"), e},
  };
  for (const auto& c : cases) {
    const TEncoded r = Encode(c.Text, c.Encoding);
    EXPECT_EQ(r.Bytes.toHex(' '), c.Bytes.toHex(' ')) << c.Text.toStdString() << " / " << c.Encoding;
    EXPECT_EQ(r.Shown, c.Shown) << c.Text.toStdString() << " / " << c.Encoding;
  }
}

TEST(EncodeText, EmptyTextGivesNoBytes) {
  for (int encoding : {int(teUTF8), int(teUnicode), int(teANSI)}) {
    const TEncoded r = Encode(QString(), encoding);
    EXPECT_TRUE(r.Bytes.isEmpty()) << encoding;
    EXPECT_TRUE(r.Shown.isEmpty()) << encoding;
  }
}

TEST(EncodeText, EveryWindows1252CharacterRoundTrips) {
  // All 251 defined bytes of the code page read back to the same byte.
  QByteArray all;
  for (int b = 1; b < 256; ++b)
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all.append(char(b));
  const QString text = FromWindows1252(all);
  EXPECT_EQ(text.size(), all.size());
  EXPECT_FALSE(text.contains(QChar(QChar::ReplacementCharacter)));
  EXPECT_EQ(ToWindows1252(text), all);
}
}  // namespace
