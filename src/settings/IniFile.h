#pragma once
// The INI document behind "Settings.ini".
// Reading: lines ending with a backslash are joined with the next one; lines
// are trimmed; ";" starts a comment; [name] opens a section; the first "="
// splits key and value; names compare without regard to ASCII letter case and
// the first occurrence of a section or key counts.
// Writing: sections in the order first written, "[name]", "key=value" lines,
// one empty line between sections, CR LF line ends, UTF-8 without BOM.
#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

class TIniFile {
 public:
  static TIniFile FromText(const QString& text);
  // Decodes UTF-8, skipping a byte-order mark.
  static TIniFile FromData(const QByteArray& bytes);

  bool HasKey(const QString& section, const QString& key) const;
  QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
  // Sets the key, appending the section or key when it is new.
  void WriteString(const QString& section, const QString& key, const QString& value);

  QByteArray ToData() const;

 private:
  struct TSection {
    QString Name;
    QList<std::pair<QString, QString>> Keys;
  };
  const TSection* FindSection(const QString& name) const;
  QList<TSection> Sections_;
};
