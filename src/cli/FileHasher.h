#pragma once
// Reads one file (or standard input) once and computes any set of digests
// from that read. Large files go through the digest lanes, so the digesters
// spread over the cores while the next block is read; small files are
// digested on the calling thread, where handing a block to another thread
// would cost more than the digest. Buffers, digesters and lane threads live
// as long as the object, so a run over thousands of files pays for them once.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/DigrexList.h"
#include "engine/HashList.h"
#include "engine/HashTypes.h"
#include "worker/DigestLanes.h"

class TFileHasher {
 public:
  static constexpr uint32_t LaneBlockSize = 1 << 20;
  // Regular files up to this size are digested on the calling thread.
  static constexpr uint32_t SmallFileLimit = 1 << 20;

  explicit TFileHasher(unsigned threadCount = TDigestLanes::DefaultThreadCount());
  ~TFileHasher();
  TFileHasher(const TFileHasher&) = delete;
  TFileHasher& operator=(const TFileHasher&) = delete;

  // Results of Hash besides 0 and the system's error numbers.
  static constexpr int DigesterFailed = -1;
  static constexpr int NotRegularFile = -2;
  static constexpr int FileShrank = -3;

  // Hashes path ("-": standard input) with the given types into digests (cleared
  // first). Returns 0, or the system's error number or one of the values above,
  // with ErrorText telling what went wrong. A regular file that becomes shorter
  // than it was when opened fails: its digest would be of no state the file was in.
  // regularOnly: anything but a regular file (a pipe, socket or device found in a
  // folder) fails at once instead of being read, which could wait or never end.
  int Hash(const QString& path, THashTypes types, THashList& digests, bool regularOnly = false);

  QString ErrorText;
  // Between blocks of a large file: bytes read so far and the size (0 when unknown).
  std::function<void(uint64_t done, uint64_t total)> OnProgress;

 private:
  int HashDescriptor(int fd, bool regular, uint64_t size, THashTypes types, THashList& digests);
  // A regular file that is now shorter than size.
  int CheckNotShrunk(int fd, uint64_t size);

  TDigrexList List_;
  TDigestLanes Lanes_;
  std::unique_ptr<uint8_t[]> SmallBuffer_;
};
