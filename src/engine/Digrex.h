#pragma once
// The digester interface: one object computes one algorithm over bytes fed
// in pieces. Init, Update any number of times, Final, then DigestText.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

#include "engine/HashTypes.h"
#include "util/Exception.h"

DIGREX_DECLARE_ERROR(EDigrexError, Exception);

class TDigrex {
 public:
  virtual ~TDigrex() = default;
  virtual QString DigestText() const = 0;
  virtual void Init() {}
  virtual void Update(const void* data, uint32_t count) = 0;
  virtual void Final() {}

  // Feeds the raw bytes of an 8-bit text; nothing is converted.
  void UpdateString(const QByteArray& text);

  // A new digester for types 1 to 10; EDigrexError "Not supported hash type: %s" otherwise.
  static std::unique_ptr<TDigrex> CreateByType(int type);
  static bool SameDigest(const QString& a, const QString& b) { return ::SameDigest(a, b); }

  THashType HashType = htNone;
};
