#include "engine/DigestCores.h"

#include <cryptopp/cryptlib.h>
#include <rhash.h>

#include <new>

TRHashCore::TRHashCore(unsigned hashId) {
  // The library fills its tables once per process; a function-local static
  // makes that happen exactly once even when threads race here.
  static const bool libraryReady = [] {
    rhash_library_init();
    return true;
  }();
  (void)libraryReady;
  Context_ = rhash_init(hashId);
  if (!Context_) throw std::bad_alloc();
}

TRHashCore::~TRHashCore() { rhash_free(Context_); }

void TRHashCore::Start() { rhash_reset(Context_); }

void TRHashCore::Feed(const void* data, size_t count) { rhash_update(Context_, data, count); }

void TRHashCore::Finish(unsigned char* digest) { rhash_final(Context_, digest); }

TCryptoppCore::TCryptoppCore(std::unique_ptr<CryptoPP::HashTransformation> hash) : Hash_(std::move(hash)) {}

TCryptoppCore::~TCryptoppCore() = default;

void TCryptoppCore::Start() { Hash_->Restart(); }

void TCryptoppCore::Feed(const void* data, size_t count) {
  Hash_->Update(static_cast<const CryptoPP::byte*>(data), count);
}

void TCryptoppCore::Finish(unsigned char* digest) { Hash_->Final(digest); }
