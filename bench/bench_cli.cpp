// digrexsum's own costs: a file of 1 KiB from open to digest (what a folder of
// many small files pays per file), a large file through the digest lanes with
// the types rhash offers, and reading a long checksum list.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include "cli/ChecksumFile.h"
#include "cli/FileHasher.h"

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, qsizetype size) {
  QByteArray data(size, Qt::Uninitialized);
  uint32_t x = 2463534242u;
  for (char& c : data) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = char(x);
  }
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != size) return {};
  return path;
}

void SmallFile(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = WriteFile(dir, QStringLiteral("small.bin"), 1024);
  TFileHasher hasher;
  THashList digests;
  const auto types = THashTypes(state.range(0));
  for (auto _ : state)
    if (hasher.Hash(path, types, digests) != 0) state.SkipWithError("cannot read the file");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SmallFile)->Arg(HashTypeBit(htCRC32))->Arg(HashTypeBit(htSHA256))->Unit(benchmark::kMicrosecond);

void LargeFile(benchmark::State& state) {
  QTemporaryDir dir;
  constexpr qsizetype Size = 256 << 20;
  const QString path = WriteFile(dir, QStringLiteral("large.bin"), Size);
  TFileHasher hasher;
  THashList digests;
  const auto types = THashTypes(state.range(0));
  for (auto _ : state)
    if (hasher.Hash(path, types, digests) != 0) state.SkipWithError("cannot read the file");
  state.SetBytesProcessed(state.iterations() * Size);
}
constexpr THashTypes RHashTypes = HashTypeBit(htCRC32) | HashTypeBit(htMD4) | HashTypeBit(htMD5) |
                                  HashTypeBit(htSHA1) | HashTypeBit(htSHA256) | HashTypeBit(htSHA512) |
                                  HashTypeBit(htRipeMD160) | HashTypeBit(htED2K);
BENCHMARK(LargeFile)->Arg(HashTypeBit(htSHA256))->Arg(RHashTypes)->Unit(benchmark::kMillisecond)->UseRealTime();

void ParseList(benchmark::State& state) {
  QByteArray text;
  for (int i = 0; i < 10000; ++i)
    text += "d41d8cd98f00b204e9800998ecf8427e  folder/file number " + QByteArray::number(i) + ".txt\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(ParseChecksumText(text, 0, htNone));
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(ParseList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
