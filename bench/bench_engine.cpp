// Throughput of the digest engine over 256 KiB blocks held in memory, the
// block size the hashing thread reads. "Digester/<type>" and "DigrexList/All"
// measure the program's own objects; "Library/<type>/<library>" measures each
// library that offers the algorithm, called directly, to back the choice of
// library per digester.
// The low-level MD4 calls are deprecated in OpenSSL 3 and EVP offers MD4
// only through the legacy provider; measured here for comparison only.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <rhash.h>
#include <zlib.h>

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/crc.h>
#include <cryptopp/md2.h>
#include <cryptopp/md4.h>
#include <cryptopp/md5.h>
#include <cryptopp/ripemd.h>
#include <cryptopp/sha.h>

#include <openssl/md4.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/DigrexList.h"
#include "engine/HashList.h"

namespace {

constexpr size_t BlockSize = 262144;

const std::vector<unsigned char>& Block() {
  static const std::vector<unsigned char> block = [] {
    std::vector<unsigned char> bytes(BlockSize);
    uint32_t x = 2463534242u;
    for (auto& b : bytes) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      b = static_cast<unsigned char>(x);
    }
    return bytes;
  }();
  return block;
}

// One library's incremental interface reduced to feed and finish.
class TCandidate {
 public:
  virtual ~TCandidate() = default;
  virtual void Feed(const void* data, size_t count) = 0;
  virtual void Finish(unsigned char* digest) = 0;
};

class TZlibCandidate final : public TCandidate {
 public:
  void Feed(const void* data, size_t count) override {
    Value_ = crc32_z(Value_, static_cast<const Bytef*>(data), count);
  }
  void Finish(unsigned char* digest) override { digest[0] = static_cast<unsigned char>(Value_); }

 private:
  uLong Value_ = 0;
};

class TCryptoppCandidate final : public TCandidate {
 public:
  explicit TCryptoppCandidate(std::unique_ptr<CryptoPP::HashTransformation> hash) : Hash_(std::move(hash)) {}
  void Feed(const void* data, size_t count) override {
    Hash_->Update(static_cast<const CryptoPP::byte*>(data), count);
  }
  void Finish(unsigned char* digest) override { Hash_->Final(digest); }

 private:
  std::unique_ptr<CryptoPP::HashTransformation> Hash_;
};

class TRHashCandidate final : public TCandidate {
 public:
  explicit TRHashCandidate(unsigned id) {
    static const bool ready = [] {
      rhash_library_init();
      return true;
    }();
    (void)ready;
    Context_ = rhash_init(id);
  }
  ~TRHashCandidate() override { rhash_free(Context_); }
  void Feed(const void* data, size_t count) override { rhash_update(Context_, data, count); }
  void Finish(unsigned char* digest) override { rhash_final(Context_, digest); }

 private:
  rhash Context_;
};

class TEvpCandidate final : public TCandidate {
 public:
  explicit TEvpCandidate(const char* name) : Md_(EVP_MD_fetch(nullptr, name, nullptr)), Context_(EVP_MD_CTX_new()) {
    if (!Md_ || !Context_ || !EVP_DigestInit_ex(Context_, Md_, nullptr))
      throw std::runtime_error(std::string("OpenSSL has no ") + name);
  }
  ~TEvpCandidate() override {
    EVP_MD_CTX_free(Context_);
    EVP_MD_free(Md_);
  }
  void Feed(const void* data, size_t count) override { EVP_DigestUpdate(Context_, data, count); }
  void Finish(unsigned char* digest) override { EVP_DigestFinal_ex(Context_, digest, nullptr); }

 private:
  EVP_MD* Md_;
  EVP_MD_CTX* Context_;
};

class TOpenSSLMD4Candidate final : public TCandidate {
 public:
  TOpenSSLMD4Candidate() { MD4_Init(&Context_); }
  void Feed(const void* data, size_t count) override { MD4_Update(&Context_, data, count); }
  void Finish(unsigned char* digest) override { MD4_Final(digest, &Context_); }

 private:
  MD4_CTX Context_{};
};

using TCandidateFactory = std::function<std::unique_ptr<TCandidate>()>;

void RunCandidate(benchmark::State& state, const TCandidateFactory& make) {
  const auto& block = Block();
  std::unique_ptr<TCandidate> candidate;
  try {
    candidate = make();
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (auto _ : state) candidate->Feed(block.data(), block.size());
  unsigned char digest[64];
  candidate->Finish(digest);
  benchmark::DoNotOptimize(digest);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(block.size()));
}

void RunDigester(benchmark::State& state, int type) {
  const auto& block = Block();
  auto digester = TDigrex::CreateByType(type);
  digester->Init();
  for (auto _ : state) digester->Update(block.data(), uint32_t(block.size()));
  digester->Final();
  benchmark::DoNotOptimize(digester->DigestText());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(block.size()));
}

void RunList(benchmark::State& state) {
  const auto& block = Block();
  TDigrexList list;
  list.Init(AllHashTypes());
  for (auto _ : state) list.Update(block.data(), uint32_t(block.size()));
  list.Final();
  THashList results;
  list.GetResults(results);
  benchmark::DoNotOptimize(results.Types);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(block.size()));
}

template <class Hash>
TCandidateFactory Cryptopp() {
  return [] { return std::make_unique<TCryptoppCandidate>(std::make_unique<Hash>()); };
}
TCandidateFactory RHash(unsigned id) {
  return [id] { return std::make_unique<TRHashCandidate>(id); };
}
TCandidateFactory Evp(const char* name) {
  return [name] { return std::make_unique<TEvpCandidate>(name); };
}

void RegisterAll() {
  for (int t = FirstHashType; t <= LastHashType; ++t)
    benchmark::RegisterBenchmark(("Digester/" + HashTypeToName(t).toStdString()).c_str(), RunDigester, t)
        ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("DigrexList/All", RunList)->Unit(benchmark::kMillisecond);

  const std::vector<std::pair<std::string, TCandidateFactory>> candidates = {
      {"CRC32/zlib", [] { return std::make_unique<TZlibCandidate>(); }},
      {"CRC32/cryptopp", Cryptopp<CryptoPP::CRC32>()},
      {"CRC32/rhash", RHash(RHASH_CRC32)},
      {"MD2/cryptopp", Cryptopp<CryptoPP::Weak::MD2>()},
      {"MD2/openssl", Evp("MD2")},
      {"MD4/openssl-lowlevel", [] { return std::make_unique<TOpenSSLMD4Candidate>(); }},
      {"MD4/cryptopp", Cryptopp<CryptoPP::Weak::MD4>()},
      {"MD4/rhash", RHash(RHASH_MD4)},
      {"MD5/openssl", Evp("MD5")},
      {"MD5/cryptopp", Cryptopp<CryptoPP::Weak::MD5>()},
      {"MD5/rhash", RHash(RHASH_MD5)},
      {"SHA1/openssl", Evp("SHA1")},
      {"SHA1/cryptopp", Cryptopp<CryptoPP::SHA1>()},
      {"SHA1/rhash", RHash(RHASH_SHA1)},
      {"SHA256/openssl", Evp("SHA256")},
      {"SHA256/cryptopp", Cryptopp<CryptoPP::SHA256>()},
      {"SHA256/rhash", RHash(RHASH_SHA256)},
      {"SHA512/openssl", Evp("SHA512")},
      {"SHA512/cryptopp", Cryptopp<CryptoPP::SHA512>()},
      {"SHA512/rhash", RHash(RHASH_SHA512)},
      {"RipeMD128/cryptopp", Cryptopp<CryptoPP::RIPEMD128>()},
      {"RipeMD160/openssl", Evp("RIPEMD160")},
      {"RipeMD160/cryptopp", Cryptopp<CryptoPP::RIPEMD160>()},
      {"RipeMD160/rhash", RHash(RHASH_RIPEMD160)},
  };
  for (const auto& [name, make] : candidates)
    benchmark::RegisterBenchmark(("Library/" + name).c_str(), RunCandidate, make)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
