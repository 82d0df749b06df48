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

TDigrexMD2::TDigrexMD2() : Core_(std::make_unique<CryptoPP::Weak::MD2>()) {}
QString TDigrexMD2::DigestText() const { return DigestBytesToText(htMD2, Digest_.data()); }

TDigrexMD4::TDigrexMD4() : Core_(RHASH_MD4) {}
QString TDigrexMD4::DigestText() const { return DigestBytesToText(htMD4, Digest_.data()); }

TDigrexMD5::TDigrexMD5() : Core_(RHASH_MD5) {}
QString TDigrexMD5::DigestText() const { return DigestBytesToText(htMD5, Digest_.data()); }

TDigrexSHA1::TDigrexSHA1() : Core_(RHASH_SHA1) {}
QString TDigrexSHA1::DigestText() const { return DigestBytesToText(htSHA1, Digest_.data()); }

TDigrexSHA256::TDigrexSHA256() : Core_(RHASH_SHA256) {}
QString TDigrexSHA256::DigestText() const { return DigestBytesToText(htSHA256, Digest_.data()); }

TDigrexSHA512::TDigrexSHA512() : Core_(RHASH_SHA512) {}
QString TDigrexSHA512::DigestText() const { return DigestBytesToText(htSHA512, Digest_.data()); }

TDigrexRIPEMD128::TDigrexRIPEMD128() : Core_(std::make_unique<CryptoPP::RIPEMD128>()) {}
QString TDigrexRIPEMD128::DigestText() const { return DigestBytesToText(htRipeMD128, Digest_.data()); }

TDigrexRIPEMD160::TDigrexRIPEMD160() : Core_(RHASH_RIPEMD160) {}
QString TDigrexRIPEMD160::DigestText() const { return DigestBytesToText(htRipeMD160, Digest_.data()); }
