// The digester list: which digests it computes for a set, and what it leaves alone.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine/DigrexList.h"
#include "engine/HashList.h"
#include "engine/QStringPrinter.h"

namespace {

QByteArray Sample() {
  QByteArray bytes(600000, Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7919) >> 3);
  return bytes;
}

// Feeds the data in the worker's 262,144-byte blocks.
THashList DigestAll(TDigrexList& list, THashTypes types, const QByteArray& data, THashList target = {}) {
  list.Init(types);
  for (qsizetype at = 0; at < data.size(); at += 262144)
    list.Update(data.constData() + at, static_cast<uint32_t>(std::min<qsizetype>(262144, data.size() - at)));
  list.Final();
  list.GetResults(target);
  return target;
}

QString Alone(int type, const QByteArray& data) {
  auto digester = TDigrex::CreateByType(type);
  digester->Init();
  digester->Update(data.constData(), static_cast<uint32_t>(data.size()));
  digester->Final();
  return digester->DigestText();
}

}  // namespace

TEST(DigrexList, AllTenTogetherEqualEachAlone) {
  const QByteArray data = Sample();
  TDigrexList list;
  const THashList all = DigestAll(list, AllHashTypes(), data);
  EXPECT_EQ(all.Types, AllHashTypes());
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    SCOPED_TRACE(HashTypeToName(t).toStdString());
    EXPECT_EQ(all.GetHash(t), Alone(t, data));
  }
}

TEST(DigrexList, EmptySetLeavesTargetUnchanged) {
  THashList target;
  target.SetHash(htMD5, "kept");
  TDigrexList list;
  const THashList result = DigestAll(list, 0, Sample(), target);
  EXPECT_EQ(result.Types, HashTypeBit(htMD5));
  EXPECT_EQ(result.GetHash(htMD5), "kept");
}

TEST(DigrexList, ConsecutiveDigestsStoreOnlyTheirOwnSet) {
  const QByteArray first = Sample();
  const QByteArray second = "second input";
  TDigrexList list;

  const THashList one = DigestAll(list, HashTypeBit(htSHA256), first);
  EXPECT_EQ(one.Types, HashTypeBit(htSHA256));
  EXPECT_EQ(one.GetHash(htSHA256), Alone(htSHA256, first));

  const THashTypes set = HashTypeBit(htCRC32) | HashTypeBit(htSHA256) | HashTypeBit(htED2K);
  const THashList two = DigestAll(list, set, second);
  EXPECT_EQ(two.Types, set);
  TDigrexList fresh;
  const THashList expected = DigestAll(fresh, set, second);
  for (int t : {htCRC32, htSHA256, htED2K}) EXPECT_EQ(two.GetHash(t), expected.GetHash(t));
}

TEST(DigrexList, ResultsKeepTypesNotEnabled) {
  THashList target;
  target.SetHash(htMD2, "older md2");
  target.SetHash(htSHA1, "older sha1");
  TDigrexList list;
  const THashList result = DigestAll(list, HashTypeBit(htSHA1), "abc", target);
  EXPECT_EQ(result.Types, HashTypeBit(htMD2) | HashTypeBit(htSHA1));
  EXPECT_EQ(result.GetHash(htMD2), "older md2");
  EXPECT_EQ(result.GetHash(htSHA1), "a9993e364706816aba3e25717850c26c9cd0d89d");
}

TEST(DigrexList, UpdateStringFeedsEveryEnabledDigester) {
  TDigrexList list;
  list.Init(HashTypeBit(htMD5) | HashTypeBit(htCRC32));
  list.UpdateString("abc");
  list.Final();
  THashList result;
  list.GetResults(result);
  EXPECT_EQ(result.GetHash(htMD5), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(result.GetHash(htCRC32), "352441C2");
}

TEST(DigrexList, StrayNoneBitIsIgnored) {
  // An unknown name in the settings turns into bit 0, which has no digester.
  TDigrexList list;
  const THashList result = DigestAll(list, HashTypeBit(htNone) | HashTypeBit(htMD4), "abc");
  EXPECT_EQ(result.Types, HashTypeBit(htMD4));
  EXPECT_EQ(list.Digester(htNone), nullptr);
}

TEST(DigrexList, ListsOnSeparateThreadsShareNothing) {
  // The worker and the text dialog each hash with their own list at the same time.
  const QByteArray data = Sample();
  TDigrexList reference;
  const THashList expected = DigestAll(reference, AllHashTypes(), data);

  std::vector<THashList> results(4);
  std::vector<std::thread> threads;
  for (auto& result : results)
    threads.emplace_back([&data, &result] {
      TDigrexList list;
      for (int round = 0; round < 3; ++round) result = DigestAll(list, AllHashTypes(), data);
    });
  for (auto& thread : threads) thread.join();
  for (const THashList& result : results)
    for (int t = FirstHashType; t <= LastHashType; ++t) EXPECT_EQ(result.GetHash(t), expected.GetHash(t));
}
