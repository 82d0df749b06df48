#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>

#include "engine/DigrexList.h"
#include "engine/HashList.h"
#include "worker/DigestLanes.h"
#include "worker/DigestTestData.h"

namespace {

constexpr uint32_t Block = TDigestLanes::DefaultBlockSize;

void ExpectSame(const THashList& actual, const THashList& expected) {
  ASSERT_EQ(actual.Types, expected.Types);
  for (int type = FirstHashType; type <= LastHashType; ++type)
    EXPECT_EQ(actual.GetHash(type), expected.GetHash(type)) << HashTypeToName(type).toStdString();
}

// Feeds through the zero-copy blocks, as the worker does: a digest of one
// cheap block stays on the calling thread, the others go to the lanes.
// The worker reserves blocks of the file's size up to a block, and keeps them for the next file.
THashList ByBlocks(TDigestLanes& lanes, const QByteArray& data, THashTypes types, uint32_t blockSize = Block,
                   bool release = true) {
  lanes.Init(types, static_cast<uint64_t>(data.size()));
  EXPECT_TRUE(lanes.Reserve(blockSize, static_cast<uint64_t>(data.size())));
  EXPECT_GE(lanes.BlockSize(), blockSize);
  for (qsizetype done = 0; done < data.size();) {
    const auto n = static_cast<uint32_t>(std::min<qsizetype>(blockSize, data.size() - done));
    std::copy_n(data.constData() + done, n, lanes.NextBlock());
    lanes.Submit(n);
    done += n;
  }
  lanes.Final();
  if (release) lanes.Release();
  THashList result;
  lanes.GetResults(result);
  return result;
}

// Feeds in pieces that straddle the block boundaries, through the copying Update.
THashList ByPieces(TDigestLanes& lanes, const QByteArray& data, THashTypes types) {
  lanes.Init(types);
  for (qsizetype done = 0; done < data.size();) {
    const qsizetype n = std::min<qsizetype>(100003, data.size() - done);
    lanes.Update(data.constData() + done, static_cast<uint64_t>(n));
    done += n;
  }
  lanes.Final();
  THashList result;
  lanes.GetResults(result);
  return result;
}

}  // namespace

TEST(DigestLanes, PlanPutsMD2AloneAndBalancesTheRest) {
  const THashTypes all = AllHashTypes();
  const THashTypes nine = all & ~HashTypeBit(htMD2);
  for (unsigned laneCount : {1u, 2u, 3u, 4u, 16u}) {
    for (THashTypes types : {all, nine, HashTypeBit(htMD2) | HashTypeBit(htCRC32), HashTypeBit(htSHA1), THashTypes(0)}) {
      const auto plan = TDigestLanes::PlanLanes(types, laneCount);
      THashTypes covered = 0;
      for (THashTypes lane : plan) {
        EXPECT_NE(lane, 0u);
        EXPECT_EQ(covered & lane, 0u) << "a type in two lanes";
        covered |= lane;
        if (HasHashType(lane, htMD2) && plan.size() > 1) {
          EXPECT_EQ(lane, HashTypeBit(htMD2));
        }
      }
      EXPECT_EQ(covered, types);
      EXPECT_LE(plan.size(), std::max(1u, laneCount));
    }
  }
  // Nine types over two lanes: neither lane carries much more than half the work.
  const auto plan = TDigestLanes::PlanLanes(nine, 2);
  ASSERT_EQ(plan.size(), 2u);
  double load[2] = {0, 0};
  for (size_t i = 0; i < 2; ++i)
    for (int type = FirstHashType; type <= LastHashType; ++type)
      if (HasHashType(plan[i], type)) load[i] += TDigestLanes::TypeCost(type);
  EXPECT_LT(std::max(load[0], load[1]) / std::min(load[0], load[1]), 1.1);
}

class DigestLanesThreads : public ::testing::TestWithParam<unsigned> {};

TEST_P(DigestLanesThreads, SameDigestsAsOneDigesterAfterAnother) {
  TDigrexList list;
  TDigestLanes lanes(list, GetParam());
  EXPECT_EQ(lanes.Parallel(), GetParam() > 1);
  for (int64_t size : {int64_t(0), int64_t(1), int64_t(Block), int64_t(Block) + 1, 2 * int64_t(Block) + 7}) {
    SCOPED_TRACE(size);
    const QByteArray data = Pattern(size);
    const THashList expected = Reference(data, AllHashTypes());
    ExpectSame(ByBlocks(lanes, data, AllHashTypes()), expected);
    ExpectSame(ByPieces(lanes, data, AllHashTypes()), expected);
  }
}

TEST_P(DigestLanesThreads, NextDigestAfterAbandonOrOtherSetIsFresh) {
  TDigrexList list;
  TDigestLanes lanes(list, GetParam());
  const QByteArray data = Pattern(3 * int64_t(Block) + 11);
  const THashTypes first = HashTypeBit(htMD5) | HashTypeBit(htSHA256) | HashTypeBit(htED2K);
  const THashTypes second = HashTypeBit(htCRC32) | HashTypeBit(htSHA1) | HashTypeBit(htRipeMD160);

  // Half a digest, dropped.
  lanes.Init(first);
  ASSERT_TRUE(lanes.Reserve(Block));
  for (int i = 0; i < 3; ++i) {
    std::copy_n(data.constData(), Block, lanes.NextBlock());
    lanes.Submit(Block);
  }
  lanes.Abandon();
  lanes.Release();

  ExpectSame(ByBlocks(lanes, data, second), Reference(data, second));
  ExpectSame(ByPieces(lanes, data, first), Reference(data, first));
  // A digest left unfinished is dropped by the next Init.
  lanes.Init(second);
  lanes.Update(data);
  ExpectSame(ByBlocks(lanes, data, first), Reference(data, first));

  lanes.Init(0);
  lanes.Update(data);
  lanes.Final();
  THashList none;
  lanes.GetResults(none);
  EXPECT_EQ(none.Types, 0u);
}

TEST_P(DigestLanesThreads, OnlyDigestsThatGainAreHandedToTheLanes) {
  TDigrexList list;
  TDigestLanes lanes(list, GetParam());
  const THashTypes nine = AllHashTypes() & ~HashTypeBit(htMD2);
  struct TCase {
    THashTypes Types;
    uint64_t Bytes;
    bool InLanes;
  };
  const TCase cases[] = {
      {HashTypeBit(htMD5), 1024, false},         // one small block
      {nine, 1024, false},                       // handing over would cost more than digesting
      {HashTypeBit(htSHA1), Block, false},       // one lane: nothing to share
      {nine, Block, true},                       // a full block of nine digests is worth sharing
      {AllHashTypes(), 1024, true},              // MD2 is costly even for 1 KiB
      {HashTypeBit(htCRC32), Block + 1, true},   // reading overlaps digesting
      {HashTypeBit(htCRC32), UINT64_MAX, true},  // size unknown
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Types << std::dec << " " << c.Bytes);
    lanes.Init(c.Types, c.Bytes);
    EXPECT_EQ(lanes.InLanes(), c.InLanes && GetParam() > 1);
    EXPECT_EQ(lanes.Plan().empty(), !lanes.InLanes());
  }
}

TEST_P(DigestLanesThreads, ReaderStaysCloseToSlowDigests) {
  // The file's progress counts blocks read: with MD2 a deep ring would show it far ahead of the digests.
  TDigrexList list;
  TDigestLanes lanes(list, GetParam());
  if (!lanes.Parallel()) GTEST_SKIP() << "no lanes";
  lanes.Init(HashTypeBit(htSHA1));
  EXPECT_EQ(lanes.Depth(), size_t(TDigestLanes::RingDepth));
  lanes.Init(AllHashTypes() & ~HashTypeBit(htMD2));
  EXPECT_EQ(lanes.Depth(), size_t(TDigestLanes::RingDepth));
  lanes.Init(AllHashTypes());
  EXPECT_EQ(lanes.Depth(), size_t(TDigestLanes::MinRingDepth));
}

TEST_P(DigestLanesThreads, RingKeptBetweenDigestsOfOtherSizes) {
  // Kept when large enough, replaced when not.
  TDigrexList list;
  TDigestLanes lanes(list, GetParam());
  const THashTypes nine = AllHashTypes() & ~HashTypeBit(htMD2);
  const struct {
    int64_t Size;
    THashTypes Types;
  } steps[] = {
      {5 * int64_t(Block) + 3, nine},
      {1024, HashTypeBit(htMD5)},
      {int64_t(Block) + 1, HashTypeBit(htSHA1)},
      {7, nine},
      {2 * int64_t(Block), AllHashTypes()},
      {20 * int64_t(Block) + 1, HashTypeBit(htCRC32) | HashTypeBit(htMD4)},
      {3, HashTypeBit(htED2K)},
  };
  uint32_t seed = 1;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Size);
    const QByteArray data = Pattern(step.Size, ++seed);
    const auto capacity = static_cast<uint32_t>(std::min<int64_t>(Block, step.Size));
    ExpectSame(ByBlocks(lanes, data, step.Types, capacity, false), Reference(data, step.Types));
  }
  lanes.Release();
  EXPECT_EQ(lanes.BlockSize(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Threads, DigestLanesThreads, ::testing::Values(1u, 2u, 4u));
