#pragma once
// The eDonkey2000 file digest: MD4 of each 9,728,000-byte chunk; one chunk
// gives its MD4 as it is, more give the MD4 of the chunk digests in order.
// An input ending exactly on a chunk boundary gets no digest of an empty
// trailing chunk.
#include <array>
#include <cstdint>
#include <vector>

#include "engine/DigestCores.h"
#include "engine/Digrex.h"

class TDigrexED2K final : public TDigrex {
 public:
  static constexpr uint32_t ChunkSize = 9728000;  // 9,500 x 1,024
  using TMD4Digest = std::array<unsigned char, 16>;

  TDigrexED2K();
  QString DigestText() const override;
  void Init() override;
  void Update(const void* data, uint32_t count) override;
  void Final() override;

  void AddChunkDigest() { ChunkDigests.push_back(ChunkDigest); }

  TRHashCore ChunkContext;
  uint32_t ChunkBytes = 0;
  TMD4Digest ChunkDigest{};
  std::vector<TMD4Digest> ChunkDigests;
  TMD4Digest FinalDigest{};
};
