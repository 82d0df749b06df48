#pragma once
// The digesters of the nine published algorithms. Each wraps a library core;
// the library for each was chosen by measured speed (bench/bench_engine.cpp).
#include <array>
#include <cstdint>

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

class TDigrexMD2 final : public TDigrex {
 public:
  TDigrexMD2();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TCryptoppCore Core_;
  std::array<unsigned char, 16> Digest_{};
};

class TDigrexMD4 final : public TDigrex {
 public:
  TDigrexMD4();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TRHashCore Core_;
  std::array<unsigned char, 16> Digest_{};
};

class TDigrexMD5 final : public TDigrex {
 public:
  TDigrexMD5();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TRHashCore Core_;
  std::array<unsigned char, 16> Digest_{};
};

class TDigrexSHA1 final : public TDigrex {
 public:
  TDigrexSHA1();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TRHashCore Core_;
  std::array<unsigned char, 20> Digest_{};
};

class TDigrexSHA256 final : public TDigrex {
 public:
  TDigrexSHA256();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TRHashCore Core_;
  std::array<unsigned char, 32> Digest_{};
};

class TDigrexSHA512 final : public TDigrex {
 public:
  TDigrexSHA512();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TRHashCore Core_;
  std::array<unsigned char, 64> Digest_{};
};

class TDigrexRIPEMD128 final : public TDigrex {
 public:
  TDigrexRIPEMD128();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TCryptoppCore Core_;
  std::array<unsigned char, 16> Digest_{};
};

class TDigrexRIPEMD160 final : public TDigrex {
 public:
  TDigrexRIPEMD160();
  QString DigestText() const override;
  void Init() override { Core_.Start(); }
  void Update(const void* data, uint32_t count) override { Core_.Feed(data, count); }
  void Final() override { Core_.Finish(Digest_.data()); }

 private:
  TRHashCore Core_;
  std::array<unsigned char, 20> Digest_{};
};
