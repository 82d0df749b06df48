#include "engine/HashTypes.h"

const std::array<THashTypeInfo, HashTypeCount> HashTypeInfos{{
    {htNone, "", "", 0, false},
    {htCRC32, "CRC32", "TDigrexCRC32", 4, true},
    {htMD2, "MD2", "TDigrexMD2", 16, false},
    {htMD4, "MD4", "TDigrexMD4", 16, false},
    {htMD5, "MD5", "TDigrexMD5", 16, false},
    {htSHA1, "SHA1", "TDigrexSHA1", 20, false},
    {htSHA256, "SHA256", "TDigrexSHA256", 32, true},
    {htSHA512, "SHA512", "TDigrexSHA512", 64, true},
    {htRipeMD128, "RipeMD128", "TDigrexRIPEMD128", 16, true},
    {htRipeMD160, "RipeMD160", "TDigrexRIPEMD160", 20, true},
    {htED2K, "ED2K", "TDigrexED2K", 16, false},
}};

QString HashTypeToName(int type) {
  if (type < 0 || type >= HashTypeCount) return QString();
  return QString::fromLatin1(HashTypeInfos[type].Name);
}

THashType HashTypeFromName(const QString& name) {
  for (const auto& info : HashTypeInfos)
    if (name == QLatin1String(info.Name)) return info.Type;
  return htNone;
}

int CountHashTypes(THashTypes set) {
  int n = 0;
  for (int t = FirstHashType; t <= LastHashType; ++t) n += HasHashType(set, t) ? 1 : 0;
  return n;
}

QString HashTypesToNames(THashTypes set) {
  QString out;
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    if (!HasHashType(set, t)) continue;
    if (!out.isEmpty()) out += u',';
    out += HashTypeToName(t);
  }
  return out;
}

THashTypes HashTypesFromNames(const QString& text) {
  THashTypes set = 0;
  for (const QString& piece : text.split(u',', Qt::SkipEmptyParts)) set |= HashTypeBit(HashTypeFromName(piece));
  return set;
}

static QString HexText(const void* bytes, int count, const char* alphabet) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  QString out(2 * count, Qt::Uninitialized);
  QChar* d = out.data();
  for (int i = 0; i < count; ++i) {
    *d++ = QLatin1Char(alphabet[p[i] >> 4]);
    *d++ = QLatin1Char(alphabet[p[i] & 0x0F]);
  }
  return out;
}

QString BytesToHexText(const void* bytes, int count) { return HexText(bytes, count, "0123456789ABCDEF"); }
QString BytesToLowerHexText(const void* bytes, int count) { return HexText(bytes, count, "0123456789abcdef"); }

QString DigestBytesToText(THashType type, const void* digest) {
  const THashTypeInfo& info = HashTypeInfos[type];
  return info.UpperCase ? BytesToHexText(digest, info.DigestBytes) : BytesToLowerHexText(digest, info.DigestBytes);
}

static QChar AsciiUpper(QChar c) { return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c; }
static QChar AsciiLower(QChar c) { return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c; }

QString ApplyDigestCase(const QString& text, bool upper) {
  QString out = text;
  for (QChar& c : out) c = upper ? AsciiUpper(c) : AsciiLower(c);
  return out;
}

bool SameDigest(const QString& a, const QString& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}
