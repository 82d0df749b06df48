// Responsiveness of the main window while the worker floods it with events.
//   TickGap/LargeFile   one page-cached file hashed with CRC32 only: tens of
//                       thousands of progress events a second. Reports the longest
//                       gap between two ticks of a 10 ms timer (max_gap_ms; the
//                       target is below 50) and the throughput.
//   Folder/SmallFiles   a folder of small files dropped on the window and hashed
//                       with MD5, log viewer attached: files_per_s from the drop
//                       until the last file is logged and the window says
//                       "Finished", and the longest timer gap meanwhile.
//   Folder/WorkerOnly   the same folder through the worker alone, its events
//                       received by an object that only counts them: what the
//                       window's own work adds shows against this.
// Environment: DIGREX_BENCH_GUI_MB (large file, default 512), DIGREX_BENCH_GUI_FILES
// (default 2000), DIGREX_BENCH_GUI_FILE / DIGREX_BENCH_GUI_FOLDER (use these
// instead of making new ones), DIGREX_BENCH_DIR (default the temporary folder).
// Without a display the offscreen platform is used.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/Application.h"
#include "app/FormLogViewer.h"
#include "app/FormMain.h"
#include "app/Icons.h"
#include "app/StatusBar.h"
#include "settings/Settings.h"
#include "util/FolderWalk.h"
#include "worker/DigrexThread.h"
#include "worker/FileQueue.h"

namespace {

int64_t EnvNumber(const char* name, int64_t fallback) {
  bool ok = false;
  const int64_t value = qEnvironmentVariable(name).toLongLong(&ok);
  return ok && value > 0 ? value : fallback;
}

QString BenchFolder() { return qEnvironmentVariable("DIGREX_BENCH_DIR", QDir::tempPath()); }

// Reads a file once so that it sits in the page cache.
void WarmUp(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return;
  QByteArray buffer(1 << 20, Qt::Uninitialized);
  while (f.read(buffer.data(), buffer.size()) > 0) {
  }
}

QString LargeFile(bool& made) {
  made = false;
  const QString given = qEnvironmentVariable("DIGREX_BENCH_GUI_FILE");
  if (!given.isEmpty()) {
    WarmUp(given);
    return given;
  }
  const QString path = BenchFolder() + QStringLiteral("/digrex_gui_bench.bin");
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return {};
  QByteArray block(1 << 20, Qt::Uninitialized);
  uint32_t x = 2463534242u;
  for (auto& c : block) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x);
  }
  for (int64_t i = 0; i < EnvNumber("DIGREX_BENCH_GUI_MB", 512); ++i) f.write(block);
  f.close();
  made = true;
  WarmUp(path);
  return path;
}

QString SmallFilesFolder(bool& made) {
  made = false;
  const QString given = qEnvironmentVariable("DIGREX_BENCH_GUI_FOLDER");
  if (!given.isEmpty()) return given;
  const QString folder = BenchFolder() + QStringLiteral("/digrex_gui_bench_files");
  QDir().mkpath(folder);
  const QByteArray data(1024, 'x');
  for (int64_t i = 0; i < EnvNumber("DIGREX_BENCH_GUI_FILES", 2000); ++i) {
    QFile f(folder + QStringLiteral("/file%1.bin").arg(i, 6, 10, QLatin1Char('0')));
    if (f.open(QIODevice::WriteOnly)) f.write(data);
  }
  made = true;
  return folder;
}

// CPU time of the calling thread, in seconds.
double ThreadCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The main window with its log viewer, as start-up builds them.
struct TWindow {
  explicit TWindow(THashTypes types) {
    settings.SetDefaults();
    settings.HashTypes = types;
    form = std::make_unique<TFormMain>(settings);
    viewer = new TFormLogViewer(settings.LogViewer, form.get());
    TFormMain::TForms forms;
    forms.LogViewer = viewer;
    form->AttachForms(forms);
    form->show();
    viewer->show();
    QCoreApplication::processEvents();
  }
  TSettings settings;
  std::unique_ptr<TFormMain> form;
  TFormLogViewer* viewer = nullptr;
};

// Runs the event loop until the window has logged `files` files and says "Finished"
// with nothing queued; returns the longest gap between two ticks of a 10 ms timer.
double RunUntilFinished(TFormMain& form, int files, double& seconds, const std::function<void()>& start) {
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 maxGap = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    maxGap = qMax(maxGap, now - last);
    last = now;
  });
  QEventLoop loop;
  QTimer check;
  check.setInterval(5);
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (form.FileLog.Count() >= files && SharedFileQueue.Count() == 0 && !form.Worker->Busy.load() &&
        form.StatusBar->PanelText(5) == QStringLiteral("Finished")) {
      loop.quit();
    }
  });
  clock.start();
  ticker.start();
  check.start();
  start();
  loop.exec();
  seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  return static_cast<double>(maxGap) / 1e6;
}

void TickGapLargeFile(benchmark::State& state) {
  bool made = false;
  const QString path = LargeFile(made);
  if (path.isEmpty()) {
    state.SkipWithError("cannot write the large file");
    return;
  }
  const double bytes = static_cast<double>(QFileInfo(path).size());
  for (auto _ : state) {
    TWindow window(HashTypeBit(htCRC32));
    double seconds = 0;
    const double gap = RunUntilFinished(*window.form, 1, seconds, [&] { window.form->AddPathList({path}); });
    state.SetIterationTime(seconds);
    state.counters["max_gap_ms"] = gap;
    state.counters["MB_per_s"] = bytes / seconds / 1048576.0;
    std::printf("gui-tick-gap: file=%s bytes=%.0f seconds=%.3f max_gap_ms=%.1f\n", qPrintable(path), bytes, seconds,
                gap);
  }
  if (made) QFile::remove(path);
}

void FolderSmallFiles(benchmark::State& state) {
  bool made = false;
  const QString folder = SmallFilesFolder(made);
  const int files = static_cast<int>(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size());
  for (auto _ : state) {
    TWindow window(HashTypeBit(htMD5));
    double seconds = 0;
    const double cpuBefore = ThreadCpuSeconds();
    const double gap = RunUntilFinished(*window.form, files, seconds, [&] { window.form->FormDropFiles({folder}); });
    window.viewer->Flush();
    const double guiMicros = (ThreadCpuSeconds() - cpuBefore) * 1e6 / files;
    state.SetIterationTime(seconds);
    state.counters["files_per_s"] = files / seconds;
    state.counters["max_gap_ms"] = gap;
    state.counters["gui_us_per_file"] = guiMicros;
    std::printf("gui-folder: files=%d seconds=%.3f files_per_s=%.0f max_gap_ms=%.1f rows=%d gui_cpu_us_per_file=%.1f\n",
                files, seconds, files / seconds, gap, window.viewer->Model->rowCount(), guiMicros);
  }
  if (made) QDir(folder).removeRecursively();
}

// Receives the worker's events and only counts them.
class TCountingReceiver : public QObject {
 public:
  int Finished = 0;
  bool Idle = false;
  bool event(QEvent* e) override {
    if (e->type() != WM_WORKER_EVENT) return QObject::event(e);
    const auto code = TWorkerEvent::Accept(e)->Code;
    if (code == weFileFinished) ++Finished;
    if (code == weIdle) Idle = true;
    return true;
  }
};

void FolderWorkerOnly(benchmark::State& state) {
  bool made = false;
  const QString folder = SmallFilesFolder(made);
  const int files = static_cast<int>(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size());
  for (auto _ : state) {
    TCountingReceiver receiver;
    TDigrexThread worker;
    worker.SetWindow(&receiver);
    worker.FileQueue = &SharedFileQueue;
    worker.SelectedTypes = HashTypeBit(htMD5);
    worker.Start();
    QElapsedTimer clock;
    clock.start();
    WalkFolder(folder, [](const QString& file) { SharedFileQueue.Push(file); });
    QEventLoop loop;
    QTimer check;
    check.setInterval(5);
    QObject::connect(&check, &QTimer::timeout, [&] {
      if (receiver.Finished >= files && receiver.Idle) loop.quit();
    });
    check.start();
    loop.exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    worker.DetachWindow();
    state.SetIterationTime(seconds);
    state.counters["files_per_s"] = files / seconds;
    std::printf("worker-only-folder: files=%d seconds=%.3f files_per_s=%.0f\n", files, seconds, files / seconds);
  }
  if (made) QDir(folder).removeRecursively();
}

}  // namespace

BENCHMARK(TickGapLargeFile)->Name("TickGap/LargeFile")->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FolderSmallFiles)->Name("Folder/SmallFiles")->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FolderWorkerOnly)->Name("Folder/WorkerOnly")->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  PrepareEventDispatcher();  // as the program does
  QApplication app(argc, argv);
  SetupIconTheme();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
