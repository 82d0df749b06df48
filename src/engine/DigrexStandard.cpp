#include "engine/DigrexStandard.h"

// MD2 lives in Crypto++'s namespace of retired algorithms.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md2.h>
#include <cryptopp/ripemd.h>
#include <rhash.h>
#include <zlib.h>

void TDigrexCRC32::Update(const void* data, uint32_t count) {
  Value = uint32_t(crc32_z(Value, static_cast<const Bytef*>(data), count));
}

QString TDigrexCRC32::DigestText() const {
  const std::array<unsigned char, 4> bytes{uint8_t(Value >> 24), uint8_t(Value >> 16), uint8_t(Value >> 8),
                                           uint8_t(Value)};
  return DigestBytesToText(htCRC32, bytes.data());
}

TDigrexMD2::TDigrexMD2() : TCoreDigrex(std::make_unique<CryptoPP::Weak::MD2>()) {}

TDigrexMD4::TDigrexMD4() : TCoreDigrex(RHASH_MD4) {}

TDigrexMD5::TDigrexMD5() : TCoreDigrex(RHASH_MD5) {}

TDigrexSHA1::TDigrexSHA1() : TCoreDigrex(RHASH_SHA1) {}

TDigrexSHA256::TDigrexSHA256() : TCoreDigrex(RHASH_SHA256) {}

TDigrexSHA512::TDigrexSHA512() : TCoreDigrex(RHASH_SHA512) {}

TDigrexRIPEMD128::TDigrexRIPEMD128() : TCoreDigrex(std::make_unique<CryptoPP::RIPEMD128>()) {}

TDigrexRIPEMD160::TDigrexRIPEMD160() : TCoreDigrex(RHASH_RIPEMD160) {}
