#pragma once
// The three line styles digrexsum writes and reads: "digest  name" (the sum
// files of md5sum and sha256sum), "name digest" (SFV) and
// "ALG (name) = digest" (BSD tag lines).
#include <QString>

#include "engine/HashTypes.h"

enum class TLineFormat { Sum, Sfv, Tag };

// The name as the sum tools write it: "\" becomes "\\", LF "\n" and CR "\r".
// escaped tells whether anything changed; such a line starts with "\".
QString EscapeFileName(const QString& name, bool& escaped);
// The inverse; false for a lone "\" or an escape other than \\, \n and \r.
bool UnescapeFileName(const QString& text, QString& name);

// One output line without its line end.
QString FormatDigestLine(TLineFormat format, THashType type, const QString& digest, const QString& name);

// A tag as other tools write it ("SHA256", "SHA-256", "SHA2-256", "RIPEMD-160",
// "rmd160", ...) to its type; htNone when it names none of ours.
THashType HashTypeFromTag(const QString& tag);
// A type name as typed by a user: the display name in any letter case.
THashType HashTypeFromUserName(const QString& name);
