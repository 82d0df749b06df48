#include "util/TextEncoding.h"

#include <QList>
#include <iconv.h>

#include <cerrno>
#include <memory>

namespace {
constexpr const char* AnsiCodePage = "WINDOWS-1252";

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle OpenIconv(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvHandle(cd);
}

// Converts in place of a missing character: an input unit the target lacks is
// replaced by `replacement` and skipped (unitSize bytes).
QByteArray Convert(const IconvHandle& cd, const QByteArray& input, size_t unitSize, const QByteArray& replacement) {
  QByteArray out;
  if (!cd || input.isEmpty()) return out;
  out.reserve(input.size() * 2 + 16);
  char* in = const_cast<char*>(input.constData());
  size_t inLeft = size_t(input.size());
  char buffer[4096];
  while (inLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &dst, &dstLeft);
    out.append(buffer, qsizetype(sizeof buffer - dstLeft));
    if (rc != size_t(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: this unit cannot be converted.
    out.append(replacement);
    const size_t skip = inLeft < unitSize ? inLeft : unitSize;
    in += skip;
    inLeft -= skip;
  }
  return out;
}

QByteArray Ucs4Bytes(const QString& text) {
  const QList<uint> codes = text.toUcs4();
  QByteArray bytes;
  bytes.reserve(codes.size() * 4);
  for (uint c : codes) {
    bytes.append(char(c & 0xFF));
    bytes.append(char((c >> 8) & 0xFF));
    bytes.append(char((c >> 16) & 0xFF));
    bytes.append(char((c >> 24) & 0xFF));
  }
  return bytes;
}
}  // namespace

// Without the system's converter only the characters that Windows-1252 shares with
// Latin-1 are kept; that still never hashes anything but what is shown.
static bool SharedWithLatin1(uint code) { return code < 0x80 || (code >= 0xA0 && code <= 0xFF); }

QByteArray ToWindows1252(const QString& text) {
  const IconvHandle cd = OpenIconv(AnsiCodePage, "UCS-4LE");
  if (!cd) {
    QByteArray out;
    for (uint c : text.toUcs4()) out.append(SharedWithLatin1(c) ? char(c) : '?');
    return out;
  }
  return Convert(cd, Ucs4Bytes(text), 4, QByteArrayLiteral("?"));
}

QString FromWindows1252(const QByteArray& bytes) {
  const IconvHandle cd = OpenIconv("UTF-8", AnsiCodePage);
  if (!cd) {
    QString out;
    for (char b : bytes) out += SharedWithLatin1(uchar(b)) ? QChar(uchar(b)) : QChar(QChar::ReplacementCharacter);
    return out;
  }
  // The five bytes Windows-1252 leaves undefined read as the replacement character.
  return QString::fromUtf8(Convert(cd, bytes, 1, QByteArrayLiteral("\xEF\xBF\xBD")));
}

void EncodeText(const QString& text, int encoding, QByteArray& bytes, QString& shown) {
  switch (encoding) {
    case teUnicode: {
      bytes.clear();
      bytes.reserve(text.size() * 2);
      for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
      }
      shown = text;
      return;
    }
    case teANSI:
      bytes = ToWindows1252(text);
      shown = FromWindows1252(bytes);
      return;
    default:
      bytes = text.toUtf8();
      shown = text;
      return;
  }
}
