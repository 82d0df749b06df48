#include "worker/DigestLanes.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include <pthread.h>

namespace {

// Single-core rates in MB/s measured on the reference machine.
constexpr std::array<double, HashTypeCount> TypeRates = {
    0,     // htNone
    6100,  // CRC32
    11,    // MD2
    1300,  // MD4
    760,   // MD5
    1880,  // SHA1
    1780,  // SHA256
    1030,  // SHA512
    490,   // RipeMD128
    590,   // RipeMD160
    1300,  // ED2K
};

// The lanes and the reader take the lock briefly several times per block. A
// plain mutex puts a thread that finds it taken to sleep, and on a virtual
// machine waking a sleeping core costs more than the rest of the hand-off: a
// lane that slept there digested SHA-1 about 6 % slower. An adaptive mutex
// spins a little first, which covers those short holds.
void MakeAdaptive(std::mutex& mutex) {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_ADAPTIVE_NP);
  pthread_mutex_destroy(mutex.native_handle());
  pthread_mutex_init(mutex.native_handle(), &attributes);
  pthread_mutexattr_destroy(&attributes);
}

}  // namespace

unsigned TDigestLanes::DefaultThreadCount() { return std::max(1u, std::thread::hardware_concurrency()); }

double TDigestLanes::TypeCost(int type) {
  if (type < FirstHashType || type > LastHashType) return 0;
  return 1.0 / (TypeRates[static_cast<size_t>(type)] * 1e6);
}

double TDigestLanes::Cost(THashTypes types, double bytes) {
  double cost = 0;
  for (int type = FirstHashType; type <= LastHashType; ++type)
    if (HasHashType(types, type)) cost += TypeCost(type) * bytes;
  return cost;
}

std::vector<THashTypes> TDigestLanes::PlanLanes(THashTypes types, unsigned laneCount) {
  std::vector<int> enabled;
  for (int type = FirstHashType; type <= LastHashType; ++type)
    if (HasHashType(types, type)) enabled.push_back(type);
  if (enabled.empty()) return {};
  const size_t count = std::min<size_t>(std::max(1u, laneCount), enabled.size());
  if (count == 1) return {types & AllHashTypes()};

  std::vector<THashTypes> lanes;
  std::vector<double> loads;
  if (HasHashType(types, htMD2)) {
    // MD2 alone takes longer than all the others together: it gets a lane of its own.
    lanes.push_back(HashTypeBit(htMD2));
    loads.push_back(TypeCost(htMD2));
    enabled.erase(std::find(enabled.begin(), enabled.end(), int(htMD2)));
  }
  const size_t shared = count - lanes.size();
  const size_t first = lanes.size();
  lanes.resize(first + shared, 0);
  loads.resize(first + shared, 0);
  // Longest first, each to the lane with the least work so far.
  std::stable_sort(enabled.begin(), enabled.end(), [](int a, int b) { return TypeCost(a) > TypeCost(b); });
  for (int type : enabled) {
    const auto lightest = std::min_element(loads.begin() + static_cast<ptrdiff_t>(first), loads.end());
    const auto index = static_cast<size_t>(lightest - loads.begin());
    lanes[index] |= HashTypeBit(type);
    *lightest += TypeCost(type);
  }
  return lanes;
}

TDigestLanes::TDigestLanes(TDigrexList& list, unsigned threadCount) : List_(list) {
  if (threadCount < 2) return;
  MakeAdaptive(Mutex_);
  for (unsigned i = 0; i < threadCount; ++i) Lanes_.push_back(std::make_unique<TLane>());
  for (size_t i = 0; i < Lanes_.size(); ++i) {
    TLane& lane = *Lanes_[i];
    lane.Thread = std::thread([this, &lane, i] { LaneBody(lane, i); });
  }
}

TDigestLanes::~TDigestLanes() {
  {
    std::lock_guard guard(Mutex_);
    Stopping_ = true;
  }
  for (auto& lane : Lanes_) lane->Cv.notify_one();
  for (auto& lane : Lanes_) lane->Thread.join();
}

void TDigestLanes::LaneBody(TLane& lane, size_t index) {
  std::unique_lock lock(Mutex_);
  for (;;) {
    lane.Cv.wait(lock, [&] { return Stopping_ || (index < Active_ && lane.Done < Submitted_); });
    if (Stopping_) return;
    if (Discarding_ || lane.Failure) {
      lane.Done = Submitted_;
      WakeProducer();
      continue;
    }
    const uint64_t block = lane.Done;
    const size_t slot = static_cast<size_t>(block % Buffers_.size());
    const uint8_t* data = Buffers_[slot].get();
    const uint32_t count = Counts_[slot];
    lock.unlock();
    std::exception_ptr failure;
    int failedType = 0;
    for (TDigrex* digester : lane.Digesters) {
      try {
        digester->Update(data, count);
      } catch (...) {
        failure = std::current_exception();
        failedType = digester->HashType;
        break;
      }
    }
    lock.lock();
    if (failure) {
      lane.Failure = failure;
      lane.FailedType = failedType;
      Failed_ = true;
    }
    lane.Done = block + 1;
    WakeProducer();
  }
}

uint64_t TDigestLanes::MinDone() const {
  uint64_t done = Submitted_;
  for (size_t i = 0; i < Active_; ++i) done = std::min(done, Lanes_[i]->Done);
  return done;
}

void TDigestLanes::WakeLanes() {
  // Only the lanes in use: a lane without work that woke for every block
  // would take a core from one that has work.
  for (size_t i = 0; i < Active_; ++i) Lanes_[i]->Cv.notify_one();
}

void TDigestLanes::WakeProducer() {
  // Only once half the ring is free: the producer then refills several
  // buffers per wake, and the slowest lane is not slowed by a wake per block.
  if (ProducerWaiting_ && (Failed_ || Submitted_ - MinDone() <= InFlight_ / 2)) ProducerCv_.notify_one();
}

void TDigestLanes::WaitProducer(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready) {
  ProducerWaiting_ = true;
  ProducerCv_.wait(lock, ready);
  ProducerWaiting_ = false;
}

void TDigestLanes::WaitIdle(std::unique_lock<std::mutex>& lock) {
  WaitProducer(lock, [&] { return MinDone() == Submitted_; });
}

void TDigestLanes::ThrowFailure(std::unique_lock<std::mutex>& lock) {
  // The failure of the lowest type wins, as when the digesters run in type order.
  const TLane* first = nullptr;
  for (size_t i = 0; i < Active_; ++i) {
    const TLane& lane = *Lanes_[i];
    if (lane.Failure && (!first || lane.FailedType < first->FailedType)) first = &lane;
  }
  const std::exception_ptr failure = first->Failure;
  lock.unlock();
  std::rethrow_exception(failure);
}

void TDigestLanes::Init(THashTypes types, uint64_t expectedBytes) {
  Abandon();
  List_.Init(types);
  Serial_ = false;
  if (!Parallel()) return;
  Plan_ = PlanLanes(types, static_cast<unsigned>(Lanes_.size()));
  if (expectedBytes <= DefaultBlockSize) {
    // One block: the lanes cannot overlap reading with digesting, only share
    // the digesters, which pays only when the block is costly to digest.
    Serial_ = Plan_.size() <= 1 || Cost(types, static_cast<double>(expectedBytes)) < SerialCostLimit;
  }
  if (Serial_) Plan_.clear();
  std::lock_guard guard(Mutex_);
  Active_ = Plan_.size();
  Submitted_ = 0;
  Failed_ = false;
  for (size_t i = 0; i < Lanes_.size(); ++i) {
    TLane& lane = *Lanes_[i];
    lane.Digesters.clear();
    lane.Done = 0;
    lane.Failure = nullptr;
    lane.FailedType = 0;
    if (i >= Active_) continue;
    for (int type = FirstHashType; type <= LastHashType; ++type)
      if (HasHashType(Plan_[i], type)) lane.Digesters.push_back(List_.Digester(type));
  }
}

size_t TDigestLanes::Depth() const {
  double slowest = 0;
  for (const THashTypes lane : Plan_) slowest = std::max(slowest, Cost(lane, DefaultBlockSize));
  if (slowest <= 0) return RingDepth;
  return static_cast<size_t>(std::clamp(ReadAheadLimit / slowest, double(MinRingDepth), double(RingDepth)));
}

bool TDigestLanes::Reserve(uint32_t blockSize, uint64_t totalBytes) {
  if (blockSize == 0) return false;
  const uint64_t blocks = std::max<uint64_t>(1, (totalBytes / blockSize) + (totalBytes % blockSize != 0 ? 1 : 0));
  const size_t count = InLanes() ? static_cast<size_t>(std::min<uint64_t>(Depth(), blocks)) : 1;
  {
    std::unique_lock lock(Mutex_);
    WaitIdle(lock);
    // A ring that is large enough is kept. Freed after every file, its pages
    // went back to the system and were faulted in again for the next one:
    // 4 MiB files took 15 ms each instead of 2.5 ms.
    if (BlockSize_ >= blockSize && Buffers_.size() >= count) {
      InFlight_ = count;
      return true;
    }
  }
  Release();
  std::vector<std::unique_ptr<uint8_t[]>> buffers;
  for (size_t i = 0; i < count; ++i) {
    buffers.emplace_back(new (std::nothrow) uint8_t[blockSize]);
    if (!buffers.back()) return false;
  }
  std::lock_guard guard(Mutex_);
  Buffers_ = std::move(buffers);
  Counts_.assign(count, 0);
  BlockSize_ = blockSize;
  InFlight_ = count;
  return true;
}

void TDigestLanes::Release() {
  std::unique_lock lock(Mutex_);
  WaitIdle(lock);
  Buffers_.clear();
  Counts_.clear();
  BlockSize_ = 0;
  InFlight_ = 0;
}

uint8_t* TDigestLanes::NextBlock() {
  if (Buffers_.empty() && !Reserve(DefaultBlockSize)) throw std::bad_alloc();
  if (!InLanes()) return Buffers_.front().get();
  std::unique_lock lock(Mutex_);
  WaitProducer(lock, [&] { return Failed_ || Submitted_ - MinDone() < InFlight_; });
  if (Failed_) ThrowFailure(lock);
  return Buffers_[static_cast<size_t>(Submitted_ % Buffers_.size())].get();
}

void TDigestLanes::Submit(uint32_t count) {
  if (!InLanes()) {
    List_.Update(Buffers_.front().get(), count);
    return;
  }
  {
    std::lock_guard guard(Mutex_);
    Counts_[static_cast<size_t>(Submitted_ % Buffers_.size())] = count;
    ++Submitted_;
  }
  WakeLanes();
}

void TDigestLanes::Update(const void* data, uint64_t count) {
  if (!InLanes()) {
    // One digester after another over the caller's bytes, without copying.
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (count > 0) {
      const auto n = static_cast<uint32_t>(std::min<uint64_t>(count, UINT32_MAX));
      List_.Update(bytes, n);
      bytes += n;
      count -= n;
    }
    return;
  }
  if (count == 0) return;
  if (Buffers_.empty() && !Reserve(DefaultBlockSize)) throw std::bad_alloc();
  const auto* bytes = static_cast<const uint8_t*>(data);
  while (count > 0) {
    const auto n = static_cast<uint32_t>(std::min<uint64_t>(count, BlockSize_));
    std::memcpy(NextBlock(), bytes, n);
    Submit(n);
    bytes += n;
    count -= n;
  }
}

void TDigestLanes::Final() {
  if (InLanes()) {
    std::unique_lock lock(Mutex_);
    WaitIdle(lock);
    if (Failed_) ThrowFailure(lock);
  }
  List_.Final();
}

void TDigestLanes::Abandon() {
  if (!Parallel()) return;
  std::unique_lock lock(Mutex_);
  if (MinDone() == Submitted_) return;
  Discarding_ = true;
  WakeLanes();
  WaitIdle(lock);
  Discarding_ = false;
}
