#include "engine/Digrex.h"

#include <algorithm>
#include <limits>

#include "engine/DigrexED2K.h"
#include "engine/DigrexStandard.h"
#include "i18n/ResourceStrings.h"

void TDigrex::UpdateString(const QByteArray& text) {
  // Update takes 32-bit counts; a longer text goes in several pieces.
  const char* data = text.constData();
  qsizetype left = text.size();
  while (left > 0) {
    const auto n = static_cast<uint32_t>(std::min<qsizetype>(left, std::numeric_limits<uint32_t>::max()));
    Update(data, n);
    data += n;
    left -= n;
  }
}

std::unique_ptr<TDigrex> TDigrex::CreateByType(int type) {
  std::unique_ptr<TDigrex> digester;
  switch (type) {
    case htCRC32: digester = std::make_unique<TDigrexCRC32>(); break;
    case htMD2: digester = std::make_unique<TDigrexMD2>(); break;
    case htMD4: digester = std::make_unique<TDigrexMD4>(); break;
    case htMD5: digester = std::make_unique<TDigrexMD5>(); break;
    case htSHA1: digester = std::make_unique<TDigrexSHA1>(); break;
    case htSHA256: digester = std::make_unique<TDigrexSHA256>(); break;
    case htSHA512: digester = std::make_unique<TDigrexSHA512>(); break;
    case htRipeMD128: digester = std::make_unique<TDigrexRIPEMD128>(); break;
    case htRipeMD160: digester = std::make_unique<TDigrexRIPEMD160>(); break;
    case htED2K: digester = std::make_unique<TDigrexED2K>(); break;
    default: throw EDigrexError(RSFormat(rs::udigrex_snotsupportedhashtype, {QString::number(type)}));
  }
  digester->HashType = static_cast<THashType>(type);
  return digester;
}
