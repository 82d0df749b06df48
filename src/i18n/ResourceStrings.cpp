#include "i18n/ResourceStrings.h"

#include <array>

namespace {
constexpr std::array<TResourceStringInfo, rs::Count> kInfo{{
#define DIGREX_RS(unit, name, text) {#unit "." #name, text},
#include "i18n/ResourceStrings.def"
#undef DIGREX_RS
}};

std::array<QString, rs::Count>& CurrentTexts() {
  static std::array<QString, rs::Count> texts = [] {
    std::array<QString, rs::Count> t;
    for (int i = 0; i < rs::Count; ++i) t[i] = QString::fromUtf8(kInfo[i].Source);
    return t;
  }();
  return texts;
}
}  // namespace

QString RS(rs::Id id) { return CurrentTexts()[id]; }

QString FormatPlaceholders(const QString& pattern, std::initializer_list<QString> args) {
  QString out;
  out.reserve(pattern.size() + 16);
  auto next = args.begin();
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == u'%' && i + 1 < pattern.size() && (pattern[i + 1] == u's' || pattern[i + 1] == u'd') &&
        next != args.end()) {
      out += *next++;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

QString RSFormat(rs::Id id, std::initializer_list<QString> args) { return FormatPlaceholders(RS(id), args); }

const TResourceStringInfo& ResourceStringInfo(rs::Id id) { return kInfo[id]; }

rs::Id ResourceStringByKey(const QString& key) {
  for (int i = 0; i < rs::Count; ++i)
    if (key.compare(QLatin1String(kInfo[i].Key), Qt::CaseInsensitive) == 0) return static_cast<rs::Id>(i);
  return rs::Count;
}

void SetResourceString(rs::Id id, const QString& text) { CurrentTexts()[id] = text; }

void ResetResourceStrings() {
  for (int i = 0; i < rs::Count; ++i) CurrentTexts()[i] = QString::fromUtf8(kInfo[i].Source);
}
