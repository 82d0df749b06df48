// Throughput of the hashing worker, measured the way the main window sees it:
// from weFileStarted to weFileFinished for one file held in the page cache.
//   InMemory/<type>       the digester alone over a 256 KiB block in memory
//   Worker/<type>         the worker hashing the large file with that type
//   Worker/Nine/...       the nine types other than MD2, one after another
//                         on the worker thread (Sequential) or in lanes (Lanes)
//   Worker/MD2, Worker/Ten/Lanes   on the smaller file, as MD2 runs at ~11 MB/s
//   Worker/SHA1/Files4MiB  a batch of 128 files of 4 MiB (the same file queued again)
// Environment: DIGREX_BENCH_MB (large file, default 1024), DIGREX_BENCH_MD2_MB
// (default 64), DIGREX_BENCH_DIR (default the temporary folder). The files are
// removed at the end unless DIGREX_BENCH_KEEP=1, which also reuses them. Each
// case runs three times; the summary of the ratios after the table compares
// the best run of each.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "worker/DigrexThread.h"

namespace {

constexpr uint32_t BlockSize = 262144;
constexpr int Repetitions = 3;

int64_t EnvMegabytes(const char* name, int64_t fallback) {
  bool ok = false;
  const int64_t value = qEnvironmentVariable(name).toLongLong(&ok);
  return ok && value > 0 ? value : fallback;
}

void FillPattern(uint8_t* bytes, size_t count, uint32_t& x) {
  for (size_t i = 0; i < count; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    bytes[i] = static_cast<uint8_t>(x);
  }
}

bool KeepFiles() { return qEnvironmentVariableIntValue("DIGREX_BENCH_KEEP") != 0; }

// A file of pseudo-random bytes, written and then read once so that it sits in the page cache.
QString MakeCachedFile(const QString& name, int64_t bytes) {
  const QString folder = qEnvironmentVariable("DIGREX_BENCH_DIR", QDir::tempPath());
  const QString path = folder + QLatin1Char('/') + name;
  std::vector<uint8_t> block(1 << 20);
  QFile file(path);
  if (!KeepFiles() || file.size() != bytes) {
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
    uint32_t x = 2463534242u;
    for (int64_t done = 0; done < bytes; done += static_cast<int64_t>(block.size())) {
      FillPattern(block.data(), block.size(), x);
      file.write(reinterpret_cast<const char*>(block.data()),
                 static_cast<qint64>(std::min<int64_t>(static_cast<int64_t>(block.size()), bytes - done)));
    }
    file.close();
  }
  const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  while (::read(handle, block.data(), block.size()) > 0) {
  }
  ::close(handle);
  return path;
}

// A benchmark file, queued Copies times in one batch.
struct TBenchFile {
  QString Path;
  int64_t Bytes = 0;
  int Copies = 1;
};
struct TFiles {
  TBenchFile Large, Small, Medium{QString(), 4 << 20, 128};
};
TFiles& Files() {
  static TFiles files;
  return files;
}

std::map<std::string, double>& Rates() {
  static std::map<std::string, double> rates;
  return rates;
}

// Keeps the best of the repetitions: other guests on the host make single runs vary by several per cent.
void Record(const std::string& key, double seconds, int64_t bytes) {
  if (seconds <= 0) return;
  double& best = Rates()[key];
  best = std::max(best, static_cast<double>(bytes) / seconds / 1e6);
}

void InMemory(benchmark::State& state, int type) {
  std::vector<uint8_t> block(BlockSize);
  uint32_t x = 7;
  FillPattern(block.data(), block.size(), x);
  const auto digester = TDigrex::CreateByType(type);
  digester->Init();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) digester->Update(block.data(), BlockSize);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  digester->Final();
  benchmark::DoNotOptimize(digester->DigestText());
  const int64_t bytes = state.iterations() * BlockSize;
  state.SetBytesProcessed(bytes);
  Record("InMemory/" + HashTypeToName(type).toStdString(), elapsed.count(), bytes);
}

// Times a batch of files from the delivery of the first weFileStarted to that of the last weFileFinished.
class TTimer : public QObject {
 public:
  bool event(QEvent* e) override {
    const TWorkerEvent* w = TWorkerEvent::Accept(e);
    if (!w) return QObject::event(e);
    if (w->Code == weFileStarted && Count == 0) Started = std::chrono::steady_clock::now();
    if (w->Code == weError) Error = w->Text;
    if (w->Code == weFileFinished || w->Code == weError) {
      Finished = std::chrono::steady_clock::now();
      if (++Count == Expected || !Error.isEmpty()) Loop.quit();
    }
    return true;
  }
  // Quit, not a loop on processEvents: Qt's own dispatcher sends the posted
  // events and then still waits for more, so the last event would never return.
  QEventLoop Loop;
  std::chrono::steady_clock::time_point Started, Finished;
  QString Error;
  int Count = 0, Expected = 1;
};

// The file is named by the time the benchmarks run, after their registration.
void ThroughWorker(benchmark::State& state, const std::string& key, THashTypes types, unsigned lanes,
                   const TBenchFile* file) {
  TTimer timer;
  TFileQueue queue;
  TDigrexThread worker(lanes);
  worker.FileQueue = &queue;
  worker.SelectedTypes = types;
  worker.SetWindow(&timer);
  worker.Start();
  double total = 0;
  for (auto _ : state) {
    timer.Count = 0;
    timer.Expected = file->Copies;
    for (int i = 0; i < file->Copies; ++i) queue.Push(file->Path);
    timer.Loop.exec();
    if (!timer.Error.isEmpty()) {
      state.SkipWithError(timer.Error.toStdString().c_str());
      break;
    }
    const std::chrono::duration<double> elapsed = timer.Finished - timer.Started;
    state.SetIterationTime(elapsed.count());
    total += elapsed.count();
  }
  worker.DetachWindow();
  const int64_t bytes = state.iterations() * file->Bytes * file->Copies;
  state.SetBytesProcessed(bytes);
  Record(key, total, bytes);
}

void Summary() {
  auto& r = Rates();
  const auto rate = [&](const std::string& name) { return r.count(name) ? r[name] : 0.0; };
  std::printf("\n%-12s %12s %12s %8s\n", "type", "worker MB/s", "memory MB/s", "ratio");
  for (int type = FirstHashType; type <= LastHashType; ++type) {
    const std::string name = HashTypeToName(type).toStdString();
    const double worker = rate("Worker/" + name), memory = rate("InMemory/" + name);
    std::printf("%-12s %12.0f %12.0f %8.2f\n", name.c_str(), worker, memory, memory > 0 ? worker / memory : 0);
  }
  const double sequential = rate("Worker/Nine/Sequential"), lanes = rate("Worker/Nine/Lanes");
  std::printf("nine types: sequential %.0f MB/s, lanes %.0f MB/s, ratio %.2f (target >= 1.6)\n", sequential, lanes,
              sequential > 0 ? lanes / sequential : 0);
  const double md2 = rate("Worker/MD2"), ten = rate("Worker/Ten/Lanes");
  std::printf("ten types: %.1f MB/s, MD2 alone %.1f MB/s, ratio %.2f (target >= 0.9)\n", ten, md2, md2 > 0 ? ten / md2 : 0);
  const double medium = rate("Worker/SHA1/Files4MiB");
  std::printf("SHA1 over %d files of 4 MiB: %.0f MB/s, %.2f of one large file\n", Files().Medium.Copies, medium,
              rate("Worker/SHA1") > 0 ? medium / rate("Worker/SHA1") : 0);
}

}  // namespace

int main(int argc, char** argv) {
  // The event dispatcher the desktop program uses (see PrepareEventDispatcher).
  qputenv("QT_NO_GLIB", "1");
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const unsigned cores = TDigestLanes::DefaultThreadCount();
  const THashTypes nine = AllHashTypes() & ~HashTypeBit(htMD2);
  const auto worker = [](const std::string& key, THashTypes types, unsigned lanes, const TBenchFile& file) {
    benchmark::RegisterBenchmark(key.c_str(), ThroughWorker, key, types, lanes, &file)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(Repetitions)
        ->Unit(benchmark::kMillisecond);
  };
  // Each type in memory and then through the worker, so that both rates of a
  // ratio are taken under the same load from the rest of the host.
  for (int type = FirstHashType; type <= LastHashType; ++type) {
    const std::string name = HashTypeToName(type).toStdString();
    benchmark::RegisterBenchmark(("InMemory/" + name).c_str(), InMemory, type)
        ->MinTime(type == htMD2 ? 2.0 : 0.5)
        ->Repetitions(Repetitions);
    worker("Worker/" + name, HashTypeBit(type), cores, type == htMD2 ? Files().Small : Files().Large);
  }
  worker("Worker/Nine/Sequential", nine, 1u, Files().Large);
  worker("Worker/Nine/Lanes", nine, cores, Files().Large);
  worker("Worker/Ten/Lanes", AllHashTypes(), cores, Files().Small);
  worker("Worker/SHA1/Files4MiB", HashTypeBit(htSHA1), cores, Files().Medium);

  Files().Large.Bytes = EnvMegabytes("DIGREX_BENCH_MB", 1024) << 20;
  Files().Small.Bytes = EnvMegabytes("DIGREX_BENCH_MD2_MB", 64) << 20;
  Files().Large.Path = MakeCachedFile(QStringLiteral("digrex-bench-large.bin"), Files().Large.Bytes);
  Files().Small.Path = MakeCachedFile(QStringLiteral("digrex-bench-small.bin"), Files().Small.Bytes);
  Files().Medium.Path = MakeCachedFile(QStringLiteral("digrex-bench-4mib.bin"), Files().Medium.Bytes);
  std::printf("files: %lld MiB (MD2 alone and all ten: %lld MiB), %u cores\n",
              static_cast<long long>(Files().Large.Bytes >> 20), static_cast<long long>(Files().Small.Bytes >> 20), cores);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Summary();
  if (!KeepFiles()) {
    for (const TBenchFile* file : {&Files().Large, &Files().Small, &Files().Medium}) QFile::remove(file->Path);
  }
  return 0;
}
