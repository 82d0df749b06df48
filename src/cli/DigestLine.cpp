#include "cli/DigestLine.h"

#include "dialogs/VerificationWriter.h"

QString EscapeFileName(const QString& name, bool& escaped) {
  escaped = false;
  for (QChar c : name)
    if (c == u'\\' || c == u'\n' || c == u'\r') escaped = true;
  if (!escaped) return name;
  QString out;
  out.reserve(name.size() + 8);
  for (QChar c : name) {
    if (c == u'\\')
      out += QLatin1String("\\\\");
    else if (c == u'\n')
      out += QLatin1String("\\n");
    else if (c == u'\r')
      out += QLatin1String("\\r");
    else
      out += c;
  }
  return out;
}

bool UnescapeFileName(const QString& text, QString& name) {
  name.clear();
  name.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\\') {
      name += c;
      continue;
    }
    if (++i >= text.size()) return false;
    const QChar e = text[i];
    if (e == u'\\')
      name += u'\\';
    else if (e == u'n')
      name += u'\n';
    else if (e == u'r')
      name += u'\r';
    else
      return false;
  }
  return true;
}

QString FormatDigestLine(TLineFormat format, THashType type, const QString& digest, const QString& name) {
  bool escaped = false;
  switch (format) {
    case TLineFormat::Sfv:
      return VerificationLine(vfSFV, name, digest);
    case TLineFormat::Tag: {
      const QString shown = EscapeFileName(name, escaped);
      return (escaped ? QStringLiteral("\\") : QString()) + HashTypeToName(type) + QLatin1String(" (") + shown +
             QLatin1String(") = ") + digest;
    }
    case TLineFormat::Sum:
    default: {
      const QString shown = EscapeFileName(name, escaped);
      return (escaped ? QStringLiteral("\\") : QString()) + VerificationLine(vfSUM, shown, digest);
    }
  }
}

// Upper case without the punctuation that other tools put into their names.
static QString TagKey(const QString& tag) {
  QString key;
  for (QChar c : tag) {
    if (c == u'-' || c == u'_' || c == u' ') continue;
    key += (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c;
  }
  return key;
}

THashType HashTypeFromTag(const QString& tag) {
  const QString key = TagKey(tag);
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (key == TagKey(HashTypeToName(t))) return static_cast<THashType>(t);
  struct TAlias {
    const char* Key;
    THashType Type;
  };
  static const TAlias aliases[] = {
      {"SHA2256", htSHA256},
      {"SHA2512", htSHA512},
      {"RMD160", htRipeMD160},
      {"RMD128", htRipeMD128},
  };
  for (const TAlias& a : aliases)
    if (key == QLatin1String(a.Key)) return a.Type;
  return htNone;
}

THashType HashTypeFromUserName(const QString& name) {
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (name.compare(HashTypeToName(t), Qt::CaseInsensitive) == 0) return static_cast<THashType>(t);
  return htNone;
}
