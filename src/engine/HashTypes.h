#pragma once
// The ten digest algorithms, their names, sets of them and digest text.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

enum THashType : int {
  htNone = 0,
  htCRC32,
  htMD2,
  htMD4,
  htMD5,
  htSHA1,
  htSHA256,
  htSHA512,
  htRipeMD128,
  htRipeMD160,
  htED2K,
};
constexpr int HashTypeCount = 11;  // htNone included
constexpr int FirstHashType = htCRC32;
constexpr int LastHashType = htED2K;

// A set of types: bit n for type n.
using THashTypes = uint32_t;

constexpr THashTypes HashTypeBit(int type) { return THashTypes(1) << type; }
constexpr bool HasHashType(THashTypes set, int type) { return (set & HashTypeBit(type)) != 0; }

class TDigrex;

// One record per type drives rows, columns, names, settings and the factory.
struct THashTypeInfo {
  THashType Type;
  const char* Name;       // display name, exact case
  const char* ClassName;  // the digester's class name, used in messages
  int DigestBytes;        // 0 for htNone
  bool UpperCase;         // letter case of the digest text as produced
};
extern const std::array<THashTypeInfo, HashTypeCount> HashTypeInfos;

QString HashTypeToName(int type);
THashType HashTypeFromName(const QString& name);
int CountHashTypes(THashTypes set);
QString HashTypesToNames(THashTypes set);
THashTypes HashTypesFromNames(const QString& text);
constexpr THashTypes AllHashTypes() { return 0x7FE; }

QString BytesToHexText(const void* bytes, int count);
QString BytesToLowerHexText(const void* bytes, int count);
// A digest of the type's size as its digest text, in the type's own letter case.
QString DigestBytesToText(THashType type, const void* digest);
QString ApplyDigestCase(const QString& text, bool upper);
bool SameDigest(const QString& a, const QString& b);
