#pragma once
// Fixed codes, markers and INI names are compared without regard to ASCII
// letter case only; other letters must match exactly.
#include <QString>
#include <QStringView>

inline QChar AsciiLowerChar(QChar c) { return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c; }
inline QChar AsciiUpperChar(QChar c) { return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c; }

inline QString AsciiLower(QString text) {
  for (QChar& c : text) c = AsciiLowerChar(c);
  return text;
}

inline QString AsciiUpper(QString text) {
  for (QChar& c : text) c = AsciiUpperChar(c);
  return text;
}

inline bool SameTextAscii(QStringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (AsciiLowerChar(a[i]) != AsciiLowerChar(b[i])) return false;
  return true;
}

inline bool StartsWithTextAscii(QStringView text, QStringView prefix) {
  return text.size() >= prefix.size() && SameTextAscii(text.left(prefix.size()), prefix);
}

// Trims what the program counts as blank: spaces and control characters.
inline QString TrimBlanks(const QString& text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && text[begin].unicode() <= 0x20) ++begin;
  while (end > begin && text[end - 1].unicode() <= 0x20) --end;
  return text.mid(begin, end - begin);
}
