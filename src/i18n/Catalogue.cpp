#include "i18n/Catalogue.h"

#include <QFile>

#include "i18n/AsciiText.h"

QString UnescapeCatalogueText(QStringView text, QStringView lineBreak) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\\') {
      out += c;
      continue;
    }
    if (++i >= text.size()) break;
    const QChar e = text[i];
    if (e == u'n')
      out += lineBreak;
    else if (e == u't')
      out += u'\t';
    else
      out += e;  // \" and \\ included
  }
  return out;
}

QStringList SplitCatalogueLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines << text.mid(start, i - start);
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines << text.mid(start);
  return lines;
}

QString DecodeCatalogueText(const QByteArray& bytes) {
  QByteArrayView view(bytes);
  if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
  return QString::fromUtf8(view);
}

namespace {
// The text of a quoted string: between the first and the last double quote.
QString QuotedPiece(const QString& text) {
  const qsizetype first = text.indexOf(u'"');
  if (first < 0) return {};
  const qsizetype last = text.lastIndexOf(u'"');
  const QStringView inner = last > first ? QStringView(text).sliced(first + 1, last - first - 1)
                                         : QStringView(text).sliced(first + 1);
  return UnescapeCatalogueText(inner, u"\n");
}
}  // namespace

TCatalogue::TCatalogue(const QString& path) { LoadFromFile(path); }

bool ReadCatalogueFile(const QString& path, QByteArray& bytes) {
  bytes.clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  if (file.size() > MaxCatalogueFileSize) return false;
  bytes = file.readAll();
  if (file.error() == QFile::NoError && bytes.size() <= MaxCatalogueFileSize) return true;
  bytes.clear();
  return false;
}

bool TCatalogue::LoadFromFile(const QString& path) {
  QByteArray bytes;
  const bool read = ReadCatalogueFile(path, bytes);
  LoadFromData(bytes);
  return read;
}

void TCatalogue::LoadFromData(const QByteArray& utf8) {
  Entries_.clear();
  ById_.clear();
  BySource_.clear();
  ByContext_.clear();

  enum Target { tNone, tContext, tSource, tTranslation };
  TCatalogueEntry entry;
  bool seenContext = false, seenSource = false, seenTranslation = false;
  Target target = tNone;

  auto flush = [&] {
    if (seenContext || seenSource || seenTranslation || !entry.Identifiers.isEmpty() || !entry.Flags.isEmpty())
      Add(std::move(entry));
    entry = TCatalogueEntry{};
    seenContext = seenSource = seenTranslation = false;
    target = tNone;
  };

  for (const QString& raw : SplitCatalogueLines(DecodeCatalogueText(utf8))) {
    const QString line = TrimBlanks(raw);
    if (line.isEmpty()) {
      flush();
      continue;
    }
    if (line.startsWith(u'#')) {
      // A comment after the strings of an entry begins the next entry.
      if (seenContext || seenSource || seenTranslation) flush();
      target = tNone;
      if (line.startsWith(u"#: ")) {
        for (QString id : line.sliced(3).split(u' ', Qt::SkipEmptyParts)) {
          id = TrimBlanks(id);
          if (!id.isEmpty()) entry.Identifiers << id.replace(u':', u'.');
        }
      } else if (line.startsWith(u"#, ")) {
        for (const QString& flag : line.sliced(3).split(u',')) {
          const QString f = AsciiLower(TrimBlanks(flag));
          if (!f.isEmpty()) entry.Flags << f;
        }
      }
      continue;
    }
    if (line.startsWith(u'"')) {
      const QString piece = QuotedPiece(line);
      if (target == tContext)
        entry.Context += piece;
      else if (target == tSource)
        entry.Source += piece;
      else if (target == tTranslation)
        entry.Translation += piece;
      continue;
    }
    qsizetype k = 0;
    while (k < line.size() && line[k] != u'"' && line[k].unicode() > 0x20) ++k;
    const QStringView keyword = QStringView(line).left(k);
    const QString value = QuotedPiece(line.sliced(k));
    if (keyword == u"msgctxt") {
      if (seenContext || seenSource || seenTranslation) flush();
      entry.Context = value;
      seenContext = true;
      target = tContext;
    } else if (keyword == u"msgid") {
      if (seenSource || seenTranslation) flush();
      entry.Source = value;
      seenSource = true;
      target = tSource;
    } else if (keyword == u"msgstr") {
      entry.Translation = value;
      seenTranslation = true;
      target = tTranslation;
    } else {
      // msgid_plural, msgstr[n] and anything unknown: plural forms are not used.
      target = tNone;
    }
  }
  flush();
}

void TCatalogue::Add(TCatalogueEntry entry) {
  // The header (empty msgid) is not a text of the program; without this an
  // empty source text would be "translated" into the header.
  if (entry.Translation.isEmpty() || entry.Source.isEmpty()) return;
  const qsizetype index = Entries_.size();
  // When a name occurs twice, the first entry keeps it.
  auto keepFirst = [index](QHash<QString, qsizetype>& hash, const QString& name) {
    if (!hash.contains(name)) hash.insert(name, index);
  };
  for (const QString& id : entry.Identifiers) keepFirst(ById_, id.toLower());
  keepFirst(BySource_, entry.Source);
  keepFirst(ByContext_, entry.Context + QChar(4) + entry.Source);
  Entries_.append(std::move(entry));
}

bool TCatalogue::Usable(const TCatalogueEntry& entry) {
  return !entry.Translation.isEmpty() && !entry.Flags.contains(u"fuzzy") && !entry.Flags.contains(u"badformat");
}

QString TCatalogue::Translate(const QString& key, const QString& source) const {
  qsizetype index = ById_.value(key.toLower(), -1);
  if (index < 0) index = BySource_.value(source, -1);
  if (index < 0) return source;
  const TCatalogueEntry& entry = Entries_[index];
  return Usable(entry) ? entry.Translation : source;
}

QString TCatalogue::FindInContext(const QString& context, const QString& source) const {
  qsizetype index = ByContext_.value(context + QChar(4) + source, -1);
  if (index < 0) index = ByContext_.value(QChar(4) + source, -1);
  if (index < 0) return {};
  const TCatalogueEntry& entry = Entries_[index];
  return Usable(entry) ? entry.Translation : QString();
}
