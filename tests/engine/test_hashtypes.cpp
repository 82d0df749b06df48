#include <gtest/gtest.h>

#include "engine/HashTypes.h"

TEST(HashTypes, NamesRoundTrip) {
  EXPECT_EQ(HashTypeToName(htNone), "");
  EXPECT_EQ(HashTypeFromName(""), htNone);
  EXPECT_EQ(HashTypeFromName("ripemd160"), htNone);
  EXPECT_EQ(HashTypeFromName("RipeMD160"), htRipeMD160);
  EXPECT_EQ(HashTypesToNames(AllHashTypes()), "CRC32,MD2,MD4,MD5,SHA1,SHA256,SHA512,RipeMD128,RipeMD160,ED2K");
  EXPECT_EQ(AllHashTypes(), 0x7FEu);
}

TEST(HashTypes, NameListsAreSplitWithoutTrimming) {
  EXPECT_EQ(HashTypesFromNames("CRC32,,MD5,"), HashTypeBit(htCRC32) | HashTypeBit(htMD5));
  const THashTypes withBlank = HashTypesFromNames("CRC32, MD5");
  EXPECT_EQ(withBlank, HashTypeBit(htCRC32) | HashTypeBit(htNone));
  EXPECT_EQ(CountHashTypes(withBlank), 1);
  EXPECT_EQ(HashTypesFromNames(""), 0u);
  EXPECT_EQ(HashTypesToNames(HashTypeBit(htSHA1) | HashTypeBit(htCRC32) | HashTypeBit(htMD5)), "CRC32,MD5,SHA1");
}

TEST(HashTypes, DigestText) {
  const unsigned char bytes[] = {0x0A, 0xFF};
  EXPECT_EQ(BytesToHexText(bytes, 2), "0AFF");
  EXPECT_EQ(BytesToHexText(bytes, 0), "");
  EXPECT_TRUE(SameDigest("abc", "ABC"));
  EXPECT_FALSE(SameDigest("abc", "abc "));
  EXPECT_EQ(ApplyDigestCase("aBc-1", true), "ABC-1");
  EXPECT_EQ(ApplyDigestCase("aBc-1", false), "abc-1");
}
