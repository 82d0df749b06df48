#include "engine/HashList.h"

static bool ValidType(int type) { return type >= 0 && type < HashTypeCount; }

bool THashList::HasHash(int type) const { return ValidType(type) && HasHashType(Types, type); }

QString THashList::GetHash(int type) const { return HasHash(type) ? Texts[type] : QString(); }

void THashList::SetHash(int type, const QString& text) {
  if (!ValidType(type)) return;
  Types |= HashTypeBit(type);
  Texts[type] = text;
}

void THashList::Clear() {
  Types = 0;
  for (QString& text : Texts) text.clear();
}

QString THashList::FirstHash() const {
  for (int t = 0; t < HashTypeCount; ++t)
    if (HasHash(t)) return Texts[t];
  return QString();
}

THashType THashList::FindType(const QString& digest) const {
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (HasHash(t) && SameDigest(Texts[t], digest)) return static_cast<THashType>(t);
  return htNone;
}

bool THashList::CompareWith(const THashList& other, THashTypes& matched, THashTypes& mismatched) const {
  matched = 0;
  mismatched = 0;
  bool same = true;
  int common = 0;
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    if (!HasHash(t) || !other.HasHash(t)) continue;
    ++common;
    if (SameDigest(Texts[t], other.Texts[t])) {
      matched |= HashTypeBit(t);
    } else {
      mismatched |= HashTypeBit(t);
      same = false;
    }
  }
  return same && common > 0;
}
