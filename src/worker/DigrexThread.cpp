#include "worker/DigrexThread.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <chrono>

#include "i18n/ResourceStrings.h"

namespace {

class TFileHandle {
 public:
  explicit TFileHandle(int handle) : Handle(handle) {}
  ~TFileHandle() { ::close(Handle); }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  const int Handle;
};

QString OpenErrorText(const QString& name) { return QStringLiteral("Unable to open file \"%1\"").arg(name); }

// Reads exactly count bytes; a file that ends early (it shrank) is a read error.
void ReadExactly(int handle, uint8_t* buffer, uint32_t count) {
  uint32_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(handle, buffer + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EReadError(QStringLiteral("Stream read error"));
    done += static_cast<uint32_t>(n);
  }
}

}  // namespace

TDigrexThread::TDigrexThread(unsigned laneThreads) : Lanes(Digesters, laneThreads) {}

TDigrexThread::~TDigrexThread() {
  Terminate();
  WaitFor();
}

void TDigrexThread::Start() {
  Thread = std::thread([this] {
    Execute();
    Finished_ = true;
  });
}

void TDigrexThread::Terminate() {
  {
    std::lock_guard guard(SleepLock);
    Terminated_ = true;
  }
  SleepSignal.notify_all();
}

void TDigrexThread::WaitFor() {
  if (Thread.joinable()) Thread.join();
}

void TDigrexThread::SetWindow(QObject* window) {
  std::lock_guard guard(WindowLock);
  Window_ = window;
}

QObject* TDigrexThread::Window() const {
  std::lock_guard guard(WindowLock);
  return Window_;
}

void TDigrexThread::Sleep(int milliseconds) {
  std::unique_lock lock(SleepLock);
  SleepSignal.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return Terminated_.load(); });
}

void TDigrexThread::Execute() {
  PostEvent(weStarted, 0);
  if (!FileQueue) {
    PostObject(weError, std::make_unique<TStringObject>(RS(rs::uthreads_sthreadqueuesnotassigned)));
    return;
  }
  while (!Terminated()) {
    Sleep(200);
    QString name;
    while (!Terminated() && FileQueue->Pop(name)) {
      UpdateBusy(true, name);
      ProcessFile(name);
    }
    if (!Terminated()) UpdateBusy(false, QString());
    // The block buffers are kept from one file to the next, not while idle.
    Lanes.Release();
  }
}

void TDigrexThread::UpdateBusy(bool busy, const QString& name) {
  if (busy != Busy) {
    Busy = busy;
    PostEvent(busy ? weBusy : weIdle, 0);
  }
  if (SkipRequested) {
    SkipRequested = false;
    PostObject(weFileSkipped, std::make_unique<TStringObject>(CurrentFile));
  }
  CurrentFile = Busy ? name : QString();
}

void TDigrexThread::ProcessFile(const QString& name) {
  const auto record = std::make_shared<THashFile>(name);
  PostObject(weFileStarted, record);
  try {
    record->ReadProperties();
    PostObject(weFileInfo, record);
    HashFileContents(*record);
    if (!Terminated() && !SkipRequested) {
      Lanes.GetResults(record->Hashes);
      PostObject(weFileFinished, record);
    }
  } catch (const Exception& error) {
    ReportError(error, *record);
  } catch (const std::bad_alloc&) {
    ReportError(EOutOfMemory(QStringLiteral("Out of memory")), *record);
  } catch (const std::exception& error) {
    ReportError(Exception(QString::fromLocal8Bit(error.what())), *record);
  }
}

void TDigrexThread::HashFileContents(THashFile& record) {
  // Non-blocking, so that a FIFO without a writer fails here instead of hanging.
  const int handle = ::open(EncodePath(record.FileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (handle < 0) throw EFOpenError(OpenErrorText(record.FileName));
  const TFileHandle file(handle);
  struct stat info {};
  if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) throw EFOpenError(OpenErrorText(record.FileName));
  if (info.st_size > static_cast<off_t>(BufferSize)) ::posix_fadvise(handle, 0, 0, POSIX_FADV_SEQUENTIAL);
  HashStream(handle, static_cast<int64_t>(info.st_size), record);
}

void TDigrexThread::HashStream(int handle, int64_t size, THashFile& record) {
  PostEvent(weProgress, 0);
  Lanes.Init(SelectedTypes.load(), static_cast<uint64_t>(size));
  // The size the file had when it was opened: a file that grows meanwhile is hashed up to it.
  int64_t remaining = size;
  if (remaining > 0) {
    const int64_t total = remaining;
    const auto capacity = static_cast<uint32_t>(std::min<int64_t>(BufferSize, remaining));
    if (!TakeBuffers(capacity, total)) throw EOutOfMemory(QStringLiteral("Out of memory"));
    try {
      while (!Terminated() && !SkipRequested && remaining > 0) {
        const auto n = static_cast<uint32_t>(std::min<int64_t>(capacity, remaining));
        // Waits while the lanes still digest every buffer; check again before reading.
        uint8_t* buffer = Lanes.NextBlock();
        if (Terminated() || SkipRequested) break;
        ReadExactly(handle, buffer, n);
        Lanes.Submit(n);
        remaining -= n;
        BytesProcessed += n;
        PostEvent(weProgress, static_cast<int64_t>(static_cast<double>(total - remaining) / static_cast<double>(total) * 100.0));
        BlockDone(record, total - remaining);
      }
    } catch (...) {
      Lanes.Abandon();
      throw;
    }
    if (remaining > 0) Lanes.Abandon();
  }
  if (!Terminated() && !SkipRequested) {
    Lanes.Final();
    PostEvent(weProgress, 100);
  }
}

void TDigrexThread::ReportError(const Exception& error, THashFile& record) {
  const QString text = QStringLiteral("[") + error.KindName() + QStringLiteral("] ") + error.Message();
  record.ErrorText = text;
  PostObject(weError, std::make_unique<TStringObject>(text));
}

void TDigrexThread::Post(std::unique_ptr<TWorkerEvent> event) {
  // Under the lock, so that no event is posted once DetachWindow has returned.
  std::lock_guard guard(WindowLock);
  if (!Window_) return;
  WorkerEventSync::Release();
  QCoreApplication::postEvent(Window_, event.release());
}

void TDigrexThread::PostEvent(TWorkerEventCode code, int64_t number) {
  Post(std::make_unique<TWorkerEvent>(code, number));
}

void TDigrexThread::PostObject(TWorkerEventCode code, const THashFilePtr& record) {
  Post(std::make_unique<TWorkerEvent>(code, record));
}

void TDigrexThread::PostObject(TWorkerEventCode code, std::unique_ptr<TStringObject> text) {
  Post(std::make_unique<TWorkerEvent>(code, std::move(text->Text)));
}

bool TDigrexThread::TakeBuffers(uint32_t blockSize, int64_t fileSize) {
  return Lanes.Reserve(blockSize, static_cast<uint64_t>(fileSize));
}

void TDigrexThread::BlockDone(const THashFile&, int64_t) {}
