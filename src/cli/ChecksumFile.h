#pragma once
// Reading checksum files: SFV ("name digest"), the sum files of md5sum and
// sha256sum ("digest  name", "digest *name", the "\" escaped form, and the
// single-blank "digest name" of BSD's md5 -r) and BSD tag lines
// ("ALG (name) = digest", also "ALG(name)= digest"). Lines starting with "#"
// or ";" are comments; CR LF or LF; a UTF-8 byte-order mark is skipped.
#include <QByteArray>
#include <QString>
#include <vector>

#include "engine/HashTypes.h"

struct TChecksumEntry {
  int LineNumber = 0;
  QString Name;  // as listed, escapes undone
  QString Digest;
  // The types the digest may be of: one, or several when only its length
  // tells (32 digits fit MD2, MD4, MD5, RipeMD128 and ED2K).
  THashTypes Candidates = 0;
};

struct TChecksumList {
  std::vector<TChecksumEntry> Entries;
  std::vector<int> UnparsedLines;  // line numbers, from 1
};

// Every type whose digest text has this many digits; empty for other lengths.
THashTypes HashTypesOfDigestLength(qsizetype digits);
// The type a checksum file's name stands for: .sfv CRC32, .md5 or .md5sum MD5,
// .sha256 or .sha256sum SHA256, and so on; htNone for any other name.
THashType HashTypeFromChecksumFileName(const QString& path);

// The type of a line comes from its tag; else from chosen (the types the user
// named, 0 for none); else from fromFileName when the digest has that type's
// length; else from the digest's length.
TChecksumList ParseChecksumText(const QByteArray& data, THashTypes chosen, THashType fromFileName);
