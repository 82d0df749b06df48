#pragma once
// Shared by the worker tests: reproducible data and the digests a plain list gives for it.
#include <QByteArray>
#include <cstdint>

#include "engine/DigrexList.h"
#include "engine/HashList.h"

// Xorshift bytes: no run repeats at block boundaries, so a block fed twice or skipped shows.
inline QByteArray Pattern(int64_t size, uint32_t seed = 2463534242u) {
  QByteArray data(static_cast<qsizetype>(size), Qt::Uninitialized);
  for (char& c : data) {
    seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
    c = static_cast<char>(seed);
  }
  return data;
}

inline THashList Reference(const QByteArray& data, THashTypes types) {
  TDigrexList list;
  list.Init(types);
  list.Update(data.constData(), static_cast<uint32_t>(data.size()));
  list.Final();
  THashList result;
  list.GetResults(result);
  return result;
}
