#pragma once
// Owners of the library states behind the digesters. Each object holds its
// own state, so digesters on different threads share nothing.
#include <cstddef>
#include <cstdint>
#include <memory>

struct rhash_context;
namespace CryptoPP {
class HashTransformation;
}

// One librhash context computing one algorithm (an RHASH_* id).
class TRHashCore {
 public:
  explicit TRHashCore(unsigned hashId);
  ~TRHashCore();
  TRHashCore(const TRHashCore&) = delete;
  TRHashCore& operator=(const TRHashCore&) = delete;

  void Start();
  void Feed(const void* data, size_t count);
  // Writes the digest; the context needs Start before it is fed again.
  void Finish(unsigned char* digest);

 private:
  rhash_context* Context_;
};

// One Crypto++ hash object, for the algorithms only Crypto++ offers.
class TCryptoppCore {
 public:
  explicit TCryptoppCore(std::unique_ptr<CryptoPP::HashTransformation> hash);
  ~TCryptoppCore();
  TCryptoppCore(const TCryptoppCore&) = delete;
  TCryptoppCore& operator=(const TCryptoppCore&) = delete;

  void Start();
  void Feed(const void* data, size_t count);
  void Finish(unsigned char* digest);

 private:
  std::unique_ptr<CryptoPP::HashTransformation> Hash_;
};
