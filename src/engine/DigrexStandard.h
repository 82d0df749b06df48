#pragma once
// The digesters of the nine published algorithms. Each wraps a library core;
// the library for each was chosen by measured speed (bench/bench_engine.cpp).
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "engine/DigestCores.h"
#include "engine/Digrex.h"

class TDigrexCRC32 final : public TDigrex {
 public:
  QString DigestText() const override;
  void Init() override { Value = 0; }
  void Update(const void* data, uint32_t count) override;

 private:
  uint32_t Value = 0;
};

// A digester over one library core: the core digests, the type decides the text.
template <class Core, THashType Type, size_t DigestBytes>
class TCoreDigrex : public TDigrex {
 public:
  QString DigestText() const override { return DigestBytesToText(Type, Digest_.data()); }
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 protected:
  template <class... Args>
  explicit TCoreDigrex(Args&&... coreArgs) : Core_(std::forward<Args>(coreArgs)...) {}

 private:
  Core Core_;
  std::array<unsigned char, DigestBytes> Digest_{};
};

class TDigrexMD2 final : public TCoreDigrex<TCryptoppCore, htMD2, 16> {
 public:
  TDigrexMD2();
};

class TDigrexMD4 final : public TCoreDigrex<TRHashCore, htMD4, 16> {
 public:
  TDigrexMD4();
};

class TDigrexMD5 final : public TCoreDigrex<TRHashCore, htMD5, 16> {
 public:
  TDigrexMD5();
};

class TDigrexSHA1 final : public TCoreDigrex<TRHashCore, htSHA1, 20> {
 public:
  TDigrexSHA1();
};

class TDigrexSHA256 final : public TCoreDigrex<TRHashCore, htSHA256, 32> {
 public:
  TDigrexSHA256();
};

class TDigrexSHA512 final : public TCoreDigrex<TRHashCore, htSHA512, 64> {
 public:
  TDigrexSHA512();
};

class TDigrexRIPEMD128 final : public TCoreDigrex<TCryptoppCore, htRipeMD128, 16> {
 public:
  TDigrexRIPEMD128();
};

class TDigrexRIPEMD160 final : public TCoreDigrex<TRHashCore, htRipeMD160, 20> {
 public:
  TDigrexRIPEMD160();
};
