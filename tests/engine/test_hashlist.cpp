// Digest lists, hashed-file records and the log's order.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "engine/Digrex.h"
#include "engine/HashFile.h"
#include "engine/HashList.h"
#include "engine/QStringPrinter.h"

namespace {

THashList ListOf(std::initializer_list<std::pair<THashType, QString>> texts) {
  THashList list;
  for (const auto& [type, text] : texts) list.SetHash(type, text);
  return list;
}

}  // namespace

TEST(HashList, StoresClearsAndReportsFirst) {
  THashList list;
  EXPECT_FALSE(list.HasHash(htMD5));
  EXPECT_EQ(list.FirstHash(), "");

  list.SetHash(htSHA1, "");
  EXPECT_TRUE(list.HasHash(htSHA1));
  EXPECT_EQ(list.GetHash(htSHA1), "");

  list.SetHash(htED2K, "e");
  list.SetHash(htMD2, "m");
  EXPECT_EQ(list.FirstHash(), "m");
  list.SetHash(htNone, "none");
  EXPECT_EQ(list.FirstHash(), "none");

  list.Clear();
  EXPECT_EQ(list.Types, 0u);
  for (const QString& text : list.Texts) EXPECT_TRUE(text.isEmpty());
  EXPECT_EQ(list.GetHash(htMD2), "");
}

TEST(HashList, FindTypeGivesLowestMatchingType) {
  const THashList list = ListOf({{htMD4, "abcd"}, {htED2K, "ABCD"}, {htSHA1, "ffff"}});
  EXPECT_EQ(list.FindType("AbCd"), htMD4);
  EXPECT_EQ(list.FindType("FFFF"), htSHA1);
  EXPECT_EQ(list.FindType("abc"), htNone);
  EXPECT_EQ(ListOf({{htNone, "abcd"}}).FindType("abcd"), htNone);
}

TEST(HashList, CompareWith) {
  struct TCase {
    const char* Name;
    THashList A, B;
    bool Same;
    THashTypes Matched, Mismatched;
  };
  const TCase cases[] = {
      {"both empty", {}, {}, false, 0, 0},
      {"nothing in common", ListOf({{htMD5, "x"}}), ListOf({{htSHA1, "y"}}), false, 0, 0},
      {"shared type equal ignoring case", ListOf({{htMD5, "ab"}, {htSHA1, "y"}}), ListOf({{htMD5, "AB"}}), true,
       HashTypeBit(htMD5), 0},
      {"one shared type differs", ListOf({{htMD5, "ab"}, {htSHA1, "y"}}), ListOf({{htMD5, "ab"}, {htSHA1, "z"}}),
       false, HashTypeBit(htMD5), HashTypeBit(htSHA1)},
      {"type 0 is not compared", ListOf({{htNone, "a"}}), ListOf({{htNone, "a"}}), false, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    THashTypes matched = 0xFFFF, mismatched = 0xFFFF;
    EXPECT_EQ(c.A.CompareWith(c.B, matched, mismatched), c.Same);
    EXPECT_EQ(matched, c.Matched);
    EXPECT_EQ(mismatched, c.Mismatched);
  }
}

TEST(HashFile, MissingFileFailsAndLeavesPropertiesAlone) {
  THashFile record("/nonexistent/digrex/missing.bin");
  EXPECT_EQ(record.LogIndex, 0);
  EXPECT_EQ(record.Hashes.Types, 0u);
  try {
    record.ReadProperties();
    ADD_FAILURE() << "a missing file was read";
  } catch (const EDigrexError& e) {
    EXPECT_EQ(e.Message(), "Failed to read file properties");
  }
  EXPECT_FALSE(record.Properties.Valid);
  EXPECT_EQ(record.Properties.Size, 0);
}

TEST(HashFile, ReadsPropertiesOfAnExistingFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("sample.bin");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(1234, 'x'));
  file.close();

  THashFile record(path);
  record.ReadProperties();
  EXPECT_TRUE(record.Properties.Valid);
  EXPECT_EQ(record.Properties.Size, 1234);
}

TEST(HashFileList, PreviousFollowsInsertionOrder) {
  THashFileList log;
  const auto first = std::make_shared<THashFile>("/a");
  const auto second = std::make_shared<THashFile>("/b");
  const auto third = std::make_shared<THashFile>("/c");
  for (const auto& record : {first, second, third}) log.Add(record);
  const THashFile stranger("/a");

  EXPECT_EQ(log.Count(), 3);
  EXPECT_EQ(log.Items(1), second.get());
  EXPECT_EQ(log.Previous(third.get()), second.get());
  EXPECT_EQ(log.Previous(second.get()), first.get());
  EXPECT_EQ(log.Previous(first.get()), nullptr);
  EXPECT_EQ(log.Previous(&stranger), nullptr);

  log.Clear();
  EXPECT_EQ(log.Count(), 0);
  EXPECT_EQ(log.Previous(third.get()), nullptr);
}
