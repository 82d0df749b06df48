#include "settings/IniFile.h"

#include "i18n/AsciiText.h"
#include "i18n/Catalogue.h"

TIniFile TIniFile::FromData(const QByteArray& bytes) { return FromText(DecodeCatalogueText(bytes)); }

TIniFile TIniFile::FromText(const QString& text) {
  const QStringList raw = SplitCatalogueLines(text);
  QStringList lines;
  for (qsizetype i = 0; i < raw.size(); ++i) {
    QString line = raw[i];
    while (line.endsWith(u'\\') && i + 1 < raw.size()) {
      line.chop(1);
      line += raw[++i];
    }
    lines << line;
  }

  TIniFile ini;
  TSection* current = nullptr;
  for (const QString& rawLine : lines) {
    const QString line = TrimBlanks(rawLine);
    if (line.isEmpty() || line.startsWith(u';')) continue;
    if (line.size() >= 2 && line.startsWith(u'[') && line.endsWith(u']')) {
      ini.Sections_.append(TSection{line.mid(1, line.size() - 2), {}});
      current = &ini.Sections_.last();
      continue;
    }
    if (!current) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
      current->Keys.append({QString(), line});
    else
      current->Keys.append({TrimBlanks(line.left(eq)), TrimBlanks(line.mid(eq + 1))});
  }
  return ini;
}

const TIniFile::TSection* TIniFile::FindSection(const QString& name) const {
  for (const TSection& section : Sections_)
    if (SameTextAscii(section.Name, name)) return &section;
  return nullptr;
}

bool TIniFile::HasKey(const QString& section, const QString& key) const {
  if (const TSection* s = FindSection(section))
    for (const auto& [name, value] : s->Keys)
      if (SameTextAscii(name, key)) return true;
  return false;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
  if (const TSection* s = FindSection(section))
    for (const auto& [name, value] : s->Keys)
      if (SameTextAscii(name, key)) return value;
  return defaultValue;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  TSection* target = nullptr;
  for (TSection& s : Sections_)
    if (SameTextAscii(s.Name, section)) {
      target = &s;
      break;
    }
  if (!target) {
    Sections_.append(TSection{section, {}});
    target = &Sections_.last();
  }
  for (auto& [name, old] : target->Keys)
    if (SameTextAscii(name, key)) {
      old = value;
      return;
    }
  target->Keys.append({key, value});
}

QByteArray TIniFile::ToData() const {
  QString text;
  for (qsizetype i = 0; i < Sections_.size(); ++i) {
    if (i > 0) text += u"\r\n";
    text += u'[' + Sections_[i].Name + QStringLiteral("]\r\n");
    for (const auto& [name, value] : Sections_[i].Keys) text += name + u'=' + value + QStringLiteral("\r\n");
  }
  return text.toUtf8();
}
