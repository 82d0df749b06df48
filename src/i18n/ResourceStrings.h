#pragma once
// The registry of the program's translatable texts. Every text has a key
// ("fmain.sstatusfinished") and an English default; a catalogue can replace
// the current texts as a whole at start-up.
#include <QString>
#include <QStringList>
#include <initializer_list>

namespace rs {
enum Id : int {
#define DIGREX_RS(unit, name, text) unit##_##name,
#include "i18n/ResourceStrings.def"
#undef DIGREX_RS
  Count
};
}  // namespace rs

struct TResourceStringInfo {
  const char* Key;     // "unit.name", lower case
  const char* Source;  // English default
};

// The current text of a resource string.
QString RS(rs::Id id);
// The current text with each %s or %d replaced, in order, by the next argument.
QString RSFormat(rs::Id id, std::initializer_list<QString> args);
// Replaces %s / %d placeholders in any text, in order.
QString FormatPlaceholders(const QString& pattern, std::initializer_list<QString> args);

const TResourceStringInfo& ResourceStringInfo(rs::Id id);
// Looks a key up without regard to letter case; rs::Count when unknown.
rs::Id ResourceStringByKey(const QString& key);
// Replacing texts happens at start-up only, before the worker thread runs.
void SetResourceString(rs::Id id, const QString& text);
void ResetResourceStrings();
