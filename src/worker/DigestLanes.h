#pragma once
// Drives the digesters of a TDigrexList over several cores. The enabled
// digesters are split into lanes of balanced cost (MD2, by far the slowest,
// alone in its own); each lane runs on its own thread and digests every block
// in order, while the caller reads the next block into a free buffer of a
// small ring. With one core everything runs on the calling thread, one
// digester after another, exactly as TDigrexList does.
//
// Use for one digest: Init, Reserve, then per block NextBlock + Submit (or
// Update, which copies), then Final and GetResults; Abandon drops a digest
// half-way. Lane threads are created once and live as long as the object.
#include <QByteArray>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/DigrexList.h"
#include "engine/HashList.h"
#include "engine/HashTypes.h"

class TDigestLanes {
 public:
  // Blocks in flight at most: the one being read plus those the lanes still
  // digest (4 MiB). The reader sleeps while the ring is full and is woken once
  // half of it is free, so a deep ring means few wakes for the slowest lane to
  // pay; with 4 or 8 buffers a lone SHA-1 lane lost 5 % to them.
  static constexpr int RingDepth = 16;
  // Slow digests, whose wakes cost nothing in comparison, use fewer: the
  // reader stays no more than about this many seconds of digesting ahead,
  // so that the progress of a file, counted in blocks read, stays near the
  // digests' own (MD2 takes 24 ms a block).
  static constexpr int MinRingDepth = 4;
  static constexpr double ReadAheadLimit = 0.1;
  static constexpr uint32_t DefaultBlockSize = 262144;

  // The machine's core count, at least 1.
  static unsigned DefaultThreadCount();
  // Single-core cost of each type in seconds per byte, used to balance lanes.
  static double TypeCost(int type);
  // Single-core cost in seconds of digesting that many bytes with the given types.
  static double Cost(THashTypes types, double bytes);
  // Below this single-core cost a one-block digest is not worth handing over.
  static constexpr double SerialCostLimit = 100e-6;
  // The types of each lane for a digest of the given types over at most laneCount lanes.
  static std::vector<THashTypes> PlanLanes(THashTypes types, unsigned laneCount);

  // threadCount 0 or 1: sequential on the calling thread.
  explicit TDigestLanes(TDigrexList& list, unsigned threadCount = DefaultThreadCount());
  ~TDigestLanes();
  TDigestLanes(const TDigestLanes&) = delete;
  TDigestLanes& operator=(const TDigestLanes&) = delete;

  // Lane threads exist; a digest may still run on the caller's thread (see Init).
  bool Parallel() const { return !Lanes_.empty(); }
  // The current digest is shared out to the lanes.
  bool InLanes() const { return Parallel() && !Serial_; }
  TDigrexList& List() const { return List_; }
  // The lanes of the current digest (empty when sequential).
  const std::vector<THashTypes>& Plan() const { return Plan_; }
  // Blocks the reader may have in flight for the current digest's lanes.
  size_t Depth() const;

  // Starts a digest of the given types; a digest still in progress is abandoned.
  // expectedBytes, when known, lets a digest too small to gain from the lanes
  // (one block, cheap enough that handing it over would cost more than it
  // saves) run on the caller's thread instead.
  void Init(THashTypes types, uint64_t expectedBytes = UINT64_MAX);
  // Takes the block buffers: as many as the ring uses, no more than totalBytes
  // needs, or keeps those already held when they are enough. False when the
  // memory cannot be had; nothing is kept then.
  bool Reserve(uint32_t blockSize, uint64_t totalBytes = UINT64_MAX);
  // Frees the block buffers after waiting for the lanes.
  void Release();
  uint32_t BlockSize() const { return BlockSize_; }

  // A free buffer of BlockSize() bytes for the next block; waits while the
  // ring is full. Rethrows a digester's failure.
  uint8_t* NextBlock();
  // Hands the first count bytes of the buffer from NextBlock to every enabled digester.
  void Submit(uint32_t count);
  // Copies data through the block buffers (reserving them when needed).
  void Update(const void* data, uint64_t count);
  void Update(const QByteArray& bytes) { Update(bytes.constData(), static_cast<uint64_t>(bytes.size())); }
  // Waits for every submitted block, rethrows a digester's failure, then finishes the digests.
  void Final();
  // Drops the blocks no lane has started and waits for those in progress.
  void Abandon();
  void GetResults(THashList& target) const { List_.GetResults(target); }

 private:
  struct TLane {
    std::vector<TDigrex*> Digesters;
    uint64_t Done = 0;  // blocks of the current digest this lane has finished
    std::exception_ptr Failure;
    int FailedType = 0;
    std::condition_variable Cv;  // the lane waits here for blocks
    std::thread Thread;
  };

  void LaneBody(TLane& lane, size_t index);
  uint64_t MinDone() const;  // under Mutex_
  void WakeLanes();     // by the producer, or under Mutex_
  void WakeProducer();  // under Mutex_
  void WaitProducer(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready);
  void WaitIdle(std::unique_lock<std::mutex>& lock);
  void ThrowFailure(std::unique_lock<std::mutex>& lock);

  TDigrexList& List_;
  std::vector<std::unique_ptr<TLane>> Lanes_;
  std::vector<THashTypes> Plan_;
  std::vector<std::unique_ptr<uint8_t[]>> Buffers_;
  std::vector<uint32_t> Counts_;
  uint32_t BlockSize_ = 0;
  size_t InFlight_ = 0;  // blocks in flight at most with the buffers reserved; under Mutex_

  std::mutex Mutex_;  // adaptive: see MakeAdaptive
  std::condition_variable ProducerCv_;  // the caller waits for free buffers or the end
  size_t Active_ = 0;                   // lanes in use: indices below this
  uint64_t Submitted_ = 0;              // blocks of the current digest handed over
  bool ProducerWaiting_ = false;
  bool Discarding_ = false;
  bool Failed_ = false;
  bool Stopping_ = false;
  bool Serial_ = false;  // the current digest runs on the caller's thread
};
