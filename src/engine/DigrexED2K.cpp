#include "engine/DigrexED2K.h"

#include <rhash.h>

#include <algorithm>

#include "i18n/ResourceStrings.h"

static_assert(sizeof(TDigrexED2K::TMD4Digest) == 16, "chunk digests are fed back to MD4 as one contiguous run");

TDigrexED2K::TDigrexED2K() : ChunkContext(RHASH_MD4) {}

void TDigrexED2K::Init() {
  ChunkContext.Start();
  ChunkDigests.clear();
  ChunkBytes = 0;
}

void TDigrexED2K::Update(const void* data, uint32_t count) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  uint32_t consumed = 0;
  while (consumed < count) {
    const uint32_t n = std::min(count - consumed, ChunkSize - ChunkBytes);
    ChunkContext.Feed(bytes + consumed, n);
    ChunkBytes += n;
    consumed += n;
    // A chunk closes as soon as its last byte arrives, so an input that ends
    // on a boundary leaves nothing open for Final.
    if (ChunkBytes == ChunkSize) {
      ChunkContext.Finish(ChunkDigest.data());
      AddChunkDigest();
      ChunkContext.Start();
      ChunkBytes = 0;
    } else if (ChunkBytes > ChunkSize) {
      throw EDigrexError(RS(rs::udigrex_sed2kovertheblocksize));
    }
  }
}

void TDigrexED2K::Final() {
  if (ChunkBytes > 0 || ChunkDigests.empty()) {
    ChunkContext.Finish(ChunkDigest.data());
    AddChunkDigest();
  }
  if (ChunkDigests.size() == 1) {
    FinalDigest = ChunkDigests.front();
  } else if (ChunkDigests.size() > 1) {
    ChunkContext.Start();
    ChunkContext.Feed(ChunkDigests.data(), ChunkDigests.size() * sizeof(TMD4Digest));
    ChunkContext.Finish(FinalDigest.data());
  } else {
    throw EDigrexError(RS(rs::udigrex_sed2knodigestblocks));
  }
}

QString TDigrexED2K::DigestText() const { return DigestBytesToText(htED2K, FinalDigest.data()); }
