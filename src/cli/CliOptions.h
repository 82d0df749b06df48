#pragma once
// The command line of digrexsum.
#include <QString>
#include <QStringList>
#include <optional>

#include "cli/DigestLine.h"
#include "engine/HashTypes.h"
#include "util/Exception.h"

// A command line that cannot be carried out; the tool exits with status 2.
DIGREX_DECLARE_ERROR(ECliUsageError, Exception);

struct TCliOptions {
  bool Check = false;
  bool Help = false;
  bool Version = false;
  THashTypes Algorithms = 0;  // 0: none named
  std::optional<TLineFormat> Format;
  bool Header = false;
  bool CrLf = false;
  std::optional<bool> UpperCase;  // unset: each algorithm's own case
  bool Quiet = false;
  bool Status = false;
  QStringList Paths;  // "-" is standard input

  // The types to compute when hashing: the ones named, else SHA256.
  THashTypes HashingTypes() const { return Algorithms != 0 ? Algorithms : HashTypeBit(htSHA256); }
  // The line format when hashing: the one named, else sum for one type and tag for several.
  TLineFormat HashingFormat() const;
};

// args without the program name. Throws ECliUsageError.
TCliOptions ParseCliOptions(const QStringList& args);
// "CRC32,md5" or "all" (letter case ignored). Throws ECliUsageError.
THashTypes ParseAlgorithmList(const QString& text);

QString CliUsageText();
QString CliVersionText();
