#pragma once
// The worker thread: takes file names from a TFileQueue, hashes each file
// once in blocks with the selected digests, and reports every stage to its
// receiver as a TWorkerEvent (WorkerEvent.h).
//
// Lifetime: the owner creates the thread, sets FileQueue, the receiver and
// SelectedTypes, then calls Start. To end it, DetachWindow (no further events)
// and destroy it: the destructor terminates the body and joins it, which takes
// at most one block read or one 200 ms poll sleep (the sleep is cut short).
// Records handed out with weFileStarted are shared (THashFilePtr), so a log
// freed first never leaves the worker writing into a dead record.
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/DigrexList.h"
#include "engine/HashFile.h"
#include "util/Exception.h"
#include "worker/DigestLanes.h"
#include "worker/FileQueue.h"
#include "worker/WorkerEvent.h"

class QObject;

DIGREX_DECLARE_ERROR(EFOpenError, Exception);
DIGREX_DECLARE_ERROR(EReadError, Exception);
DIGREX_DECLARE_ERROR(EOutOfMemory, Exception);

class TDigrexThread {
 public:
  // laneThreads: threads that share the digests of each block; 1 hashes on the worker thread alone.
  explicit TDigrexThread(unsigned laneThreads = TDigestLanes::DefaultThreadCount());
  // Terminates and joins the body. A derived class that overrides a virtual
  // operation calls Terminate and WaitFor in its own destructor.
  virtual ~TDigrexThread();
  TDigrexThread(const TDigrexThread&) = delete;
  TDigrexThread& operator=(const TDigrexThread&) = delete;

  // Runs the body on a new thread; once only.
  void Start();
  // Asks the body to end after its current step; wakes it from its poll sleep.
  void Terminate();
  bool Terminated() const { return Terminated_.load(); }
  // Waits for the body to end (nothing when it never started).
  void WaitFor();
  // The body has ended.
  bool Finished() const { return Finished_.load(); }

  // Abandons the file in progress before its next block (main thread).
  void Skip() { SkipRequested = true; }
  // The receiver of events; set before Start. nullptr: events are dropped.
  void SetWindow(QObject* window);
  QObject* Window() const;
  // No event is posted once this returns.
  void DetachWindow() { SetWindow(nullptr); }

  TDigrexList Digesters;
  // Written by the main thread at any time, read by the worker at the start of each file.
  std::atomic<THashTypes> SelectedTypes{0};
  // Not owned; set before Start.
  TFileQueue* FileQueue = nullptr;
  const uint32_t BufferSize = 262144;
  // Bytes read and handed to the digesters since the thread was created.
  std::atomic<int64_t> BytesProcessed{0};
  std::atomic<bool> SkipRequested{false};
  // From the first file taken after an idle spell until the queue is found empty.
  std::atomic<bool> Busy{false};
  // The file most recently started while busy; worker thread only.
  QString CurrentFile;

 protected:
  virtual void Execute();
  void UpdateBusy(bool busy, const QString& name);
  void ProcessFile(const QString& name);
  void HashFileContents(THashFile& record);
  void HashStream(int handle, int64_t size, THashFile& record);
  void ReportError(const Exception& error, THashFile& record);
  void PostEvent(TWorkerEventCode code, int64_t number);
  void PostObject(TWorkerEventCode code, const THashFilePtr& record);
  void PostObject(TWorkerEventCode code, std::unique_ptr<TStringObject> text);

  // Takes the block buffers of one file; false when memory is short.
  virtual bool TakeBuffers(uint32_t blockSize, int64_t fileSize);
  // Called on the worker thread after each block is handed over and reported.
  virtual void BlockDone(const THashFile& record, int64_t position);

  TDigestLanes Lanes;

 private:
  void Sleep(int milliseconds);
  void Post(std::unique_ptr<TWorkerEvent> event);

  mutable std::mutex WindowLock;
  QObject* Window_ = nullptr;
  std::mutex SleepLock;
  std::condition_variable SleepSignal;
  std::atomic<bool> Terminated_{false};
  std::atomic<bool> Finished_{false};
  std::thread Thread;
};
