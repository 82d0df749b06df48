// Known-answer tests of every digester against the published vectors of its
// standard, feeding in different splits, plus the ED2K chunk rule and the factory.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QRegularExpression>
#include <map>
#include <memory>
#include <vector>

#include "engine/Digrex.h"
#include "engine/DigrexStandard.h"
#include "engine/QStringPrinter.h"

namespace {

const QByteArray Alphabet = "abcdefghijklmnopqrstuvwxyz";
const QByteArray AlphaNumeric = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
const QByteArray Digits80 = QByteArray("1234567890").repeated(8);
const QByteArray Nist448 = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
const QByteArray Nist896 =
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu";
const QByteArray MillionA(1000000, 'a');

struct TVector {
  THashType Type;
  QByteArray Input;
  const char* Expected;  // in the letter case the digester produces
};

// RFC 1319/1320/1321 test suites, FIPS 180 examples, the RIPEMD authors'
// vectors, and the usual CRC-32 check value.
const std::vector<TVector>& Vectors() {
  static const std::vector<TVector> vectors = {
      {htCRC32, "", "00000000"},
      {htCRC32, "123456789", "CBF43926"},
      {htCRC32, "abc", "352441C2"},
      {htCRC32, "digrex10", "0FD0FD94"},  // leading zero digit is kept

      {htMD2, "", "8350e5a3e24c153df2275c9f80692773"},
      {htMD2, "a", "32ec01ec4a6dac72c0ab96fb34c0b5d1"},
      {htMD2, "abc", "da853b0d3f88d99b30283a69e6ded6bb"},
      {htMD2, "message digest", "ab4f496bfb2a530b219ff33031fe06b0"},
      {htMD2, Alphabet, "4e8ddff3650292ab5a4108c3aa47940b"},
      {htMD2, AlphaNumeric, "da33def2a42df13975352846c30338cd"},
      {htMD2, Digits80, "d5976f79d83d3a0dc9806c3c66f3efd8"},

      {htMD4, "", "31d6cfe0d16ae931b73c59d7e0c089c0"},
      {htMD4, "a", "bde52cb31de33e46245e05fbdbd6fb24"},
      {htMD4, "abc", "a448017aaf21d8525fc10ae87aa6729d"},
      {htMD4, "message digest", "d9130a8164549fe818874806e1c7014b"},
      {htMD4, Alphabet, "d79e1c308aa5bbcdeea8ed63df412da9"},
      {htMD4, AlphaNumeric, "043f8582f241db351ce627e153e7f0e4"},
      {htMD4, Digits80, "e33b4ddc9c38f2199c3e7b164fcc0536"},

      {htMD5, "", "d41d8cd98f00b204e9800998ecf8427e"},
      {htMD5, "a", "0cc175b9c0f1b6a831c399e269772661"},
      {htMD5, "abc", "900150983cd24fb0d6963f7d28e17f72"},
      {htMD5, "message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {htMD5, Alphabet, "c3fcd3d76192e4007dfb496cca67e13b"},
      {htMD5, AlphaNumeric, "d174ab98d277d9f5a5611c2c9f419d9f"},
      {htMD5, Digits80, "57edf4a22be3c955ac49da2e2107b67a"},

      {htSHA1, "", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {htSHA1, "abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {htSHA1, Nist448, "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {htSHA1, MillionA, "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},

      {htSHA256, "", "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
      {htSHA256, "abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
      {htSHA256, Nist448, "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
      {htSHA256, MillionA, "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"},

      {htSHA512, "",
       "CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE"
       "47D0D13C5D85F2B0FF8318D2877EEC2F63B931BD47417A81A538327AF927DA3E"},
      {htSHA512, "abc",
       "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A"
       "2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F"},
      {htSHA512, Nist896,
       "8E959B75DAE313DA8CF4F72814FC143F8F7779C6EB9F7FA17299AEADB6889018"
       "501D289E4900F7E4331B99DEC4B5433AC7D329EEB6DD26545E96E55B874BE909"},
      {htSHA512, MillionA,
       "E718483D0CE769644E2E42C7BC15B4638E1F98B13B2044285632A803AFA973EB"
       "DE0FF244877EA60A4CB0432CE577C31BEB009C5C2C49AA2E4EADB217AD8CC09B"},

      {htRipeMD128, "", "CDF26213A150DC3ECB610F18F6B38B46"},
      {htRipeMD128, "a", "86BE7AFA339D0FC7CFC785E72F578D33"},
      {htRipeMD128, "abc", "C14A12199C66E4BA84636B0F69144C77"},
      {htRipeMD128, "message digest", "9E327B3D6E523062AFC1132D7DF9D1B8"},
      {htRipeMD128, Alphabet, "FD2AA607F71DC8F510714922B371834E"},
      {htRipeMD128, Nist448, "A1AA0689D0FAFA2DDC22E88B49133A06"},
      {htRipeMD128, AlphaNumeric, "D1E959EB179C911FAEA4624C60C5C702"},
      {htRipeMD128, Digits80, "3F45EF194732C2DBB2C4A2C769795FA3"},
      {htRipeMD128, MillionA, "4A7F5723F954EBA1216C9D8F6320431F"},

      {htRipeMD160, "", "9C1185A5C5E9FC54612808977EE8F548B2258D31"},
      {htRipeMD160, "a", "0BDC9D2D256B3EE9DAAE347BE6F4DC835A467FFE"},
      {htRipeMD160, "abc", "8EB208F7E05D987A9B044A8E98C6B087F15A0BFC"},
      {htRipeMD160, "message digest", "5D0689EF49D2FAE572B881B123A85FFA21595F36"},
      {htRipeMD160, Alphabet, "F71C27109C692C1B56BBDCEB5B9D2865B3708DBC"},
      {htRipeMD160, Nist448, "12A053384A9C0C88E405A06C27DCF49ADA62EB2B"},
      {htRipeMD160, AlphaNumeric, "B0E20B6E3116640286ED3A87A5713079B21F5189"},
      {htRipeMD160, Digits80, "9B752E45573D4B39F4DBD3323CAB82BF63326BFB"},
      {htRipeMD160, MillionA, "52783243C1697BDBE16D37F97F68F08325DC1528"},

      // Below one chunk the ED2K digest is the MD4 digest of the input.
      {htED2K, "", "31d6cfe0d16ae931b73c59d7e0c089c0"},
      {htED2K, "abc", "a448017aaf21d8525fc10ae87aa6729d"},
  };
  return vectors;
}

enum class TSplit { OnePiece, Blocks, ByteByByte };

// Feeds data the way the split says; empty updates are mixed in because
// callers may pass a count of 0 at any point.
QString Digest(TDigrex& digester, const QByteArray& data, TSplit split) {
  digester.Init();
  const auto* p = data.constData();
  const auto size = static_cast<uint32_t>(data.size());
  switch (split) {
    case TSplit::OnePiece:
      digester.Update(p, size);
      break;
    case TSplit::Blocks:
      for (uint32_t at = 0; at < size; at += 262144) {
        digester.Update(p + at, std::min<uint32_t>(262144, size - at));
        digester.Update(p + at, 0);
      }
      break;
    case TSplit::ByteByByte:
      digester.Update(p, 0);
      for (uint32_t at = 0; at < size; ++at) digester.Update(p + at, 1);
      break;
  }
  digester.Final();
  return digester.DigestText();
}

QString DigestOf(THashType type, const QByteArray& data, TSplit split = TSplit::OnePiece) {
  auto digester = TDigrex::CreateByType(type);
  return Digest(*digester, data, split);
}

QByteArray PseudoRandom(qsizetype size, uint32_t seed) {
  QByteArray bytes(size, Qt::Uninitialized);
  uint32_t x = seed;
  for (char& b : bytes) {
    x = x * 1664525u + 1013904223u;
    b = static_cast<char>(x >> 24);
  }
  return bytes;
}

}  // namespace

TEST(Digesters, PublishedVectorsInEverySplit) {
  // One object per type serves every vector of that type, so each digest
  // also proves that Init discards the previous one.
  std::map<THashType, std::unique_ptr<TDigrex>> reused;
  for (const TVector& v : Vectors()) {
    SCOPED_TRACE(QString("%1 of %2 bytes").arg(HashTypeToName(v.Type)).arg(v.Input.size()).toStdString());
    auto& digester = reused[v.Type];
    if (!digester) digester = TDigrex::CreateByType(v.Type);
    EXPECT_EQ(Digest(*digester, v.Input, TSplit::OnePiece), v.Expected);
    EXPECT_EQ(Digest(*digester, v.Input, TSplit::Blocks), v.Expected);
    if (v.Input.size() <= 1000) {
      EXPECT_EQ(Digest(*digester, v.Input, TSplit::ByteByByte), v.Expected);
    }
  }
}

TEST(Digesters, SplitsAgreeOnUnalignedData) {
  // Sizes just off the algorithms' 16/64/128-byte blocks and off 262,144.
  const QByteArray small = PseudoRandom(1000, 7);
  const QByteArray large = PseudoRandom(3 * 262144 + 129, 11);
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    SCOPED_TRACE(HashTypeToName(t).toStdString());
    const auto type = static_cast<THashType>(t);
    EXPECT_EQ(DigestOf(type, small, TSplit::ByteByByte), DigestOf(type, small));
    EXPECT_EQ(DigestOf(type, large, TSplit::Blocks), DigestOf(type, large));

    auto digester = TDigrex::CreateByType(type);
    digester->Init();
    const uint32_t pieces[] = {1, 63, 64, 65, 127, 128, 129, 262143};
    uint32_t at = 0;
    for (size_t i = 0; at < uint32_t(large.size()); ++i) {
      const uint32_t n = std::min<uint32_t>(pieces[i % std::size(pieces)], uint32_t(large.size()) - at);
      digester->Update(large.constData() + at, n);
      at += n;
    }
    digester->Final();
    EXPECT_EQ(digester->DigestText(), DigestOf(type, large));
  }
}

TEST(Digesters, TextCaseAndLengthPerType) {
  struct TCase {
    THashType Type;
    int Digits;
    const char* Pattern;
  };
  const TCase cases[] = {
      {htCRC32, 8, "^[0-9A-F]+$"},     {htMD2, 32, "^[0-9a-f]+$"},       {htMD4, 32, "^[0-9a-f]+$"},
      {htMD5, 32, "^[0-9a-f]+$"},      {htSHA1, 40, "^[0-9a-f]+$"},      {htSHA256, 64, "^[0-9A-F]+$"},
      {htSHA512, 128, "^[0-9A-F]+$"},  {htRipeMD128, 32, "^[0-9A-F]+$"}, {htRipeMD160, 40, "^[0-9A-F]+$"},
      {htED2K, 32, "^[0-9a-f]+$"},
  };
  // Random data makes letters in every digest near-certain.
  const QByteArray data = PseudoRandom(5000, 3);
  for (const TCase& c : cases) {
    SCOPED_TRACE(HashTypeToName(c.Type).toStdString());
    const QString text = DigestOf(c.Type, data);
    EXPECT_EQ(text.size(), c.Digits);
    EXPECT_TRUE(QRegularExpression(c.Pattern).match(text).hasMatch()) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("[A-Fa-f]")));
  }
}

TEST(Digesters, UpdateStringFeedsRawBytes) {
  for (int t = FirstHashType; t <= LastHashType; ++t) {
    SCOPED_TRACE(HashTypeToName(t).toStdString());
    auto digester = TDigrex::CreateByType(t);
    digester->Init();
    digester->UpdateString(QByteArray());
    digester->Final();
    EXPECT_EQ(digester->DigestText(), DigestOf(static_cast<THashType>(t), QByteArray()));

    // Bytes outside ASCII and a NUL go in unchanged.
    const QByteArray text("\xC3\xA9t\xE9\0x", 6);
    digester->Init();
    digester->UpdateString(text);
    digester->Final();
    EXPECT_EQ(digester->DigestText(), DigestOf(static_cast<THashType>(t), text));
  }
}

TEST(Digesters, FactorySetsTypeAndRejectsOthers) {
  for (int t = FirstHashType; t <= LastHashType; ++t) EXPECT_EQ(TDigrex::CreateByType(t)->HashType, t);
  EXPECT_EQ(TDigrexMD5().HashType, htNone);

  const std::pair<int, const char*> rejected[] = {
      {htNone, "Not supported hash type: 0"}, {11, "Not supported hash type: 11"}, {-1, "Not supported hash type: -1"}};
  for (const auto& [type, message] : rejected) {
    try {
      TDigrex::CreateByType(type);
      ADD_FAILURE() << "type " << type << " was accepted";
    } catch (const EDigrexError& e) {
      EXPECT_EQ(e.Message(), message);
      EXPECT_EQ(e.KindName(), "EDigrexError");
    }
  }
}

// ED2K: expected values are built from the MD4 digester per the chunk rule.
class ED2K : public ::testing::Test {
 protected:
  static constexpr qsizetype Chunk = 9728000;

  static void SetUpTestSuite() { Data = new QByteArray(PseudoRandom(2 * Chunk, 5)); }
  static void TearDownTestSuite() {
    delete Data;
    Data = nullptr;
  }

  static QByteArray Md4Bytes(const QByteArray& data) {
    return QByteArray::fromHex(DigestOf(htMD4, data).toLatin1());
  }
  static QString Md4Text(const QByteArray& data) { return DigestOf(htMD4, data); }

  static QString Expected(const QByteArray& data) {
    if (data.size() <= Chunk) return Md4Text(data);
    QByteArray chunkDigests;
    for (qsizetype at = 0; at < data.size(); at += Chunk) chunkDigests += Md4Bytes(data.mid(at, Chunk));
    return Md4Text(chunkDigests);
  }

  static QByteArray* Data;
};
QByteArray* ED2K::Data = nullptr;

TEST_F(ED2K, ChunkBoundaries) {
  const qsizetype sizes[] = {0, 1, Chunk - 1, Chunk, Chunk + 1, 2 * Chunk};
  for (qsizetype size : sizes) {
    SCOPED_TRACE(size);
    const QByteArray data = Data->left(size);
    const QString expected = Expected(data);
    EXPECT_EQ(DigestOf(htED2K, data, TSplit::OnePiece), expected);
    EXPECT_EQ(DigestOf(htED2K, data, TSplit::Blocks), expected);
  }
}

TEST_F(ED2K, BoundaryChunkGetsNoEmptyTrailingDigest) {
  const QByteArray one = Data->left(Chunk);
  const QString withEmptyChunk = Md4Text(Md4Bytes(one) + Md4Bytes(QByteArray()));
  EXPECT_NE(DigestOf(htED2K, one, TSplit::Blocks), withEmptyChunk);
  EXPECT_EQ(DigestOf(htED2K, one, TSplit::Blocks), Md4Text(one));

  const QByteArray two = Data->left(2 * Chunk);
  EXPECT_NE(DigestOf(htED2K, two), Md4Text(Md4Bytes(one) + Md4Bytes(Data->mid(Chunk, Chunk)) + Md4Bytes({})));
}

TEST_F(ED2K, InitForgetsEarlierChunks) {
  auto digester = TDigrex::CreateByType(htED2K);
  Digest(*digester, Data->left(Chunk + 1), TSplit::Blocks);
  // An unfinished digest left mid-chunk must not leak into the next one either.
  digester->Init();
  digester->Update(Data->constData(), 1000);
  EXPECT_EQ(Digest(*digester, "abc", TSplit::ByteByByte), Md4Text("abc"));
}
