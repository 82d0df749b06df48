#pragma once
// The digest texts of one piece of data, one slot per hash type.
#include <QString>
#include <array>

#include "engine/HashTypes.h"

class THashList {
 public:
  bool HasHash(int type) const;
  QString GetHash(int type) const;
  void SetHash(int type, const QString& text);
  void Clear();
  QString FirstHash() const;
  THashType FindType(const QString& digest) const;
  bool CompareWith(const THashList& other, THashTypes& matched, THashTypes& mismatched) const;

  THashTypes Types = 0;
  std::array<QString, HashTypeCount> Texts;
};
