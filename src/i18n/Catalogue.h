#pragma once
// A gettext PO catalogue as the program uses it: identifiers from reference
// comments, flags, msgctxt/msgid/msgstr, and the lookup rule of Translate.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

struct TCatalogueEntry {
  QStringList Identifiers;  // from "#: " lines, ':' read as '.'
  QStringList Flags;        // from "#, " lines, lower case
  QString Context;          // msgctxt
  QString Source;           // msgid
  QString Translation;      // msgstr, never empty in a loaded catalogue
};

class TCatalogue {
 public:
  TCatalogue() = default;
  // Loads the file; a file that cannot be read gives an empty catalogue.
  explicit TCatalogue(const QString& path);

  bool LoadFromFile(const QString& path);
  void LoadFromData(const QByteArray& utf8);

  // The entry with this identifier (letter case ignored), else the first with
  // this exact source text; its translation unless it is fuzzy or badformat,
  // otherwise the source text.
  QString Translate(const QString& key, const QString& source) const;

  // For the toolkit's own texts, which carry a context instead of a key: the
  // usable translation of the entry with this context and source (or this
  // source and no context), or an empty text.
  QString FindInContext(const QString& context, const QString& source) const;

  const QList<TCatalogueEntry>& Entries() const { return Entries_; }
  bool IsEmpty() const { return Entries_.isEmpty(); }

 private:
  void Add(TCatalogueEntry entry);
  static bool Usable(const TCatalogueEntry& entry);

  QList<TCatalogueEntry> Entries_;
  QHash<QString, qsizetype> ById_;       // lower-case identifier -> first entry
  QHash<QString, qsizetype> BySource_;   // msgid -> first entry
  QHash<QString, qsizetype> ByContext_;  // msgctxt + '\x04' + msgid -> first entry
};

// Resolves the escapes of a quoted catalogue string: \" \\ \n \t; a backslash
// before any other character is dropped and the character kept, a trailing
// backslash is dropped. \n becomes lineBreak.
QString UnescapeCatalogueText(QStringView text, QStringView lineBreak = u"\r\n");

// Splits text at CR, LF or CR LF.
QStringList SplitCatalogueLines(const QString& text);
// Decodes file bytes as UTF-8, without a leading byte-order mark.
QString DecodeCatalogueText(const QByteArray& bytes);

// The most a catalogue file may hold, far above any real catalogue: a larger
// file in the languages folder counts as unreadable instead of filling memory.
inline constexpr qint64 MaxCatalogueFileSize = qint64(64) << 20;
// Reads a catalogue file whole; false (and no bytes) when it cannot be read or
// is larger than MaxCatalogueFileSize.
bool ReadCatalogueFile(const QString& path, QByteArray& bytes);
