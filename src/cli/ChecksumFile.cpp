#include "cli/ChecksumFile.h"

#include <QFileInfo>

#include "cli/DigestLine.h"
#include "util/PathCodec.h"

namespace {

bool IsHexDigit(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool IsDigestText(const QString& text) {
  if (HashTypesOfDigestLength(text.size()) == 0) return false;
  for (QChar c : text)
    if (!IsHexDigit(c)) return false;
  return true;
}

struct TParsedLine {
  QString Name;
  QString Digest;
  THashType Tagged = htNone;
  bool UnknownTag = false;  // shaped like a tag line, for an algorithm we do not have
};

// "ALG (name) = digest" and "ALG(name)= digest"; the name may hold brackets.
bool ParseTagLine(QString s, TParsedLine& out) {
  bool escaped = false;
  if (s.startsWith(u'\\')) {
    escaped = true;
    s.remove(0, 1);
  }
  const qsizetype open = s.indexOf(u'(');
  const qsizetype eq = s.lastIndexOf(u'=');
  if (open <= 0 || eq < open) return false;
  QString tag = s.left(open);
  if (tag.endsWith(u' ')) tag.chop(1);
  if (tag.isEmpty()) return false;
  for (QChar c : tag)
    if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_') return false;
  QString digest = s.mid(eq + 1);
  if (digest.startsWith(u' ')) digest.remove(0, 1);
  QString before = s.left(eq);
  if (before.endsWith(u' ')) before.chop(1);
  if (!before.endsWith(u')') || before.size() < open + 2) return false;
  if (digest.isEmpty()) return false;
  for (QChar c : digest)
    if (!IsHexDigit(c)) return false;
  const QString rawName = before.mid(open + 1, before.size() - open - 2);
  if (rawName.isEmpty()) return false;
  out.Tagged = HashTypeFromTag(tag);
  if (out.Tagged == htNone) {
    out.UnknownTag = true;
    return false;
  }
  out.Digest = digest;
  if (escaped) return UnescapeFileName(rawName, out.Name);
  out.Name = rawName;
  return true;
}

// "digest  name" or "digest *name", optionally escaped; with singleBlank also
// "digest name".
bool ParseSumLine(QString s, bool singleBlank, TParsedLine& out) {
  bool escaped = false;
  if (s.startsWith(u'\\')) {
    escaped = true;
    s.remove(0, 1);
  }
  qsizetype start = 0;
  while (start < s.size() && IsBlank(s[start])) ++start;
  qsizetype end = start;
  while (end < s.size() && IsHexDigit(s[end])) ++end;
  const QString digest = s.mid(start, end - start);
  if (!IsDigestText(digest) || end >= s.size() || s[end] != u' ') return false;
  qsizetype nameStart = end + 1;
  if (nameStart < s.size() && (s[nameStart] == u' ' || s[nameStart] == u'*'))
    ++nameStart;
  else if (!singleBlank)
    return false;
  const QString rawName = s.mid(nameStart);
  if (rawName.isEmpty()) return false;
  out.Digest = digest;
  if (escaped) return UnescapeFileName(rawName, out.Name);
  out.Name = rawName;
  return true;
}

// "name digest": the last word is the digest, the name everything before it.
bool ParseSfvLine(const QString& line, TParsedLine& out) {
  qsizetype end = line.size();
  while (end > 0 && IsBlank(line[end - 1])) --end;
  qsizetype gap = end;
  while (gap > 0 && !IsBlank(line[gap - 1])) --gap;
  if (gap == 0) return false;
  const QString digest = line.mid(gap, end - gap);
  if (!IsDigestText(digest)) return false;
  qsizetype nameEnd = gap;
  while (nameEnd > 0 && IsBlank(line[nameEnd - 1])) --nameEnd;
  if (nameEnd == 0) return false;
  out.Name = line.left(nameEnd);
  out.Digest = digest;
  return true;
}

THashTypes CandidatesOf(const TParsedLine& line, THashTypes chosen, THashType fromFileName) {
  const THashTypes fitting = HashTypesOfDigestLength(line.Digest.size());
  if (line.Tagged != htNone) return fitting & HashTypeBit(line.Tagged);
  if (chosen != 0) return fitting & chosen;
  // Save Log writes .sfv files with any digest, so a length that does not
  // fit the extension's type falls through to the length alone.
  if (fromFileName != htNone && HasHashType(fitting, fromFileName)) return HashTypeBit(fromFileName);
  return fitting;
}

}  // namespace

THashTypes HashTypesOfDigestLength(qsizetype digits) {
  THashTypes set = 0;
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (2 * HashTypeInfos[t].DigestBytes == digits) set |= HashTypeBit(t);
  return set;
}

THashType HashTypeFromChecksumFileName(const QString& path) {
  QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("sfv")) return htCRC32;
  if (suffix.endsWith(QLatin1String("sum"))) suffix.chop(3);
  static const struct {
    const char* Suffix;
    THashType Type;
  } known[] = {{"md2", htMD2},       {"md4", htMD4},       {"md5", htMD5},   {"sha1", htSHA1},
               {"sha256", htSHA256}, {"sha512", htSHA512}, {"ed2k", htED2K}, {"crc32", htCRC32}};
  for (const auto& k : known)
    if (suffix == QLatin1String(k.Suffix)) return k.Type;
  return htNone;
}

TChecksumList ParseChecksumText(const QByteArray& data, THashTypes chosen, THashType fromFileName) {
  TChecksumList result;
  QByteArrayView rest(data);
  if (rest.startsWith("\xEF\xBB\xBF")) rest = rest.sliced(3);
  const bool sfvFirst = fromFileName == htCRC32;
  int lineNumber = 0;
  while (!rest.isEmpty()) {
    qsizetype end = rest.indexOf('\n');
    QByteArrayView raw = end < 0 ? rest : rest.first(end);
    rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    ++lineNumber;
    if (raw.endsWith('\r')) raw.chop(1);
    // Listed names that are not UTF-8 keep their bytes, so that the file is found.
    const QString line = DecodePath(raw.toByteArray());
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed.startsWith(u';')) continue;

    TParsedLine parsed;
    bool ok = ParseTagLine(line, parsed);
    if (!ok && !parsed.UnknownTag) {
      parsed = TParsedLine();
      // A .sfv file reads SFV first: "ab12cd34  x 0011aabb" is a name there.
      ok = sfvFirst ? (ParseSfvLine(line, parsed) || ParseSumLine(line, false, parsed))
                    : (ParseSumLine(line, false, parsed) || ParseSfvLine(line, parsed));
    }
    if (!ok && !parsed.UnknownTag) {
      parsed = TParsedLine();
      ok = ParseSumLine(line, true, parsed);
    }
    const THashTypes candidates = ok ? CandidatesOf(parsed, chosen, fromFileName) : 0;
    if (candidates == 0) {
      result.UnparsedLines.push_back(lineNumber);
      continue;
    }
    result.Entries.push_back({lineNumber, parsed.Name, parsed.Digest, candidates});
  }
  return result;
}
