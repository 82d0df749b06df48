#include "util/PathCodec.h"

#include <QUrl>

namespace {
constexpr char16_t EscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at data[i], 0 when the byte there starts none.
int SequenceLength(const unsigned char* data, qsizetype i, qsizetype size) {
  const unsigned char lead = data[i];
  int length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;        // overlong
    else if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;        // overlong
    else if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (size - i < length) return 0;
  if (data[i + 1] < low || data[i + 1] > high) return 0;
  for (int k = 2; k < length; ++k)
    if (data[i + k] < 0x80 || data[i + k] > 0xBF) return 0;
  return length;
}

void AppendUtf8(QByteArray& out, char32_t code) {
  if (code < 0x80) {
    out.append(char(code));
  } else if (code < 0x800) {
    out.append(char(0xC0 | (code >> 6)));
    out.append(char(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.append(char(0xE0 | (code >> 12)));
    out.append(char(0x80 | ((code >> 6) & 0x3F)));
    out.append(char(0x80 | (code & 0x3F)));
  } else {
    out.append(char(0xF0 | (code >> 18)));
    out.append(char(0x80 | ((code >> 12) & 0x3F)));
    out.append(char(0x80 | ((code >> 6) & 0x3F)));
    out.append(char(0x80 | (code & 0x3F)));
  }
}
}  // namespace

QString DecodePath(const QByteArray& bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  const qsizetype size = bytes.size();
  QString out;
  out.reserve(size);
  qsizetype i = 0;
  while (i < size) {
    const unsigned char lead = data[i];
    if (lead < 0x80) {
      out.append(QChar(char16_t(lead)));
      ++i;
      continue;
    }
    const int length = SequenceLength(data, i, size);
    if (length == 0) {
      out.append(QChar(char16_t(EscapeBase + lead)));
      ++i;
      continue;
    }
    char32_t code = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) code = (code << 6) | (data[i + k] & 0x3F);
    if (code >= 0x10000) {
      out.append(QChar::highSurrogate(code));
      out.append(QChar::lowSurrogate(code));
    } else {
      out.append(QChar(char16_t(code)));
    }
    i += length;
  }
  return out;
}

QString DecodePath(const char* bytes) { return DecodePath(QByteArray(bytes)); }

QByteArray EncodePath(const QString& path) {
  QByteArray out;
  out.reserve(path.size());
  const qsizetype size = path.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = path[i].unicode();
    if (c < 0x80) {
      out.append(char(c));
    } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(path[i + 1].unicode())) {
      AppendUtf8(out, QChar::surrogateToUcs4(c, path[i + 1].unicode()));
      ++i;
    } else if (c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF) {
      out.append(char(c - EscapeBase));
    } else if (QChar::isSurrogate(c)) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

QStringList DecodeArguments(int argc, const char* const* argv, int first) {
  QStringList arguments;
  for (int i = first; i < argc; ++i) arguments << DecodePath(argv[i]);
  return arguments;
}

QString LocalPathOfUrl(const QUrl& url) {
  if (!url.isLocalFile()) return {};
  // The fully encoded path keeps %E9 as it came; Qt's own decoding would turn it into U+FFFD.
  const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  const QString host = url.host();
  if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
    return QStringLiteral("//") + host + DecodePath(path);
  return DecodePath(path);
}
