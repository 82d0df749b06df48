#pragma once
// The event the worker thread posts to its receiver (the main window). It is
// delivered on the receiver's thread in posting order; an event that is never
// delivered (receiver gone, application ending) frees its payload with it.
#include <QEvent>
#include <QString>
#include <cstdint>

#include "engine/HashFile.h"

#if defined(__SANITIZE_THREAD__)
#define DIGREX_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define DIGREX_TSAN 1
#endif
#endif
#ifdef DIGREX_TSAN
#include <sanitizer/tsan_interface.h>
#endif

// Qt hands posted events over with locks that ThreadSanitizer cannot see. The
// worker releases this token after it has written an event and its record, and
// the receiver acquires it before it reads them; without the sanitizer both
// are empty.
namespace WorkerEventSync {
inline char Token;
inline void Release() {
#ifdef DIGREX_TSAN
  __tsan_release(&Token);
#endif
}
inline void Acquire() {
#ifdef DIGREX_TSAN
  __tsan_acquire(&Token);
#endif
}
}  // namespace WorkerEventSync

constexpr QEvent::Type WM_WORKER_EVENT = QEvent::Type(1034);

enum TWorkerEventCode : int {
  weStarted = 0,       // Value 0: the thread body began
  weError = 1,         // Text: the error text
  weFileStarted = 2,   // File: the new record; the receiver's log keeps it
  weFileFinished = 3,  // File: its Hashes hold the digests
  weFileInfo = 4,      // File: its Properties were read
  weProgress = 5,      // Value: percentage of the current file read, 0 to 100
  weFileSkipped = 6,   // Text: the name of the abandoned file
  weBusy = 7,          // Value 0: a file was taken after an idle spell
  weIdle = 8,          // Value 0: the queue was found empty after a batch
};

class TWorkerEvent final : public QEvent {
 public:
  // The receiver's entry point in its event(): the worker event, or nullptr for any other event.
  static const TWorkerEvent* Accept(const QEvent* e) {
    WorkerEventSync::Acquire();
    return e->type() == WM_WORKER_EVENT ? static_cast<const TWorkerEvent*>(e) : nullptr;
  }

  TWorkerEvent(TWorkerEventCode code, int64_t value) : QEvent(WM_WORKER_EVENT), Code(code), Value(value) {}
  TWorkerEvent(TWorkerEventCode code, THashFilePtr file)
      : QEvent(WM_WORKER_EVENT), Code(code), File(std::move(file)) {}
  TWorkerEvent(TWorkerEventCode code, QString text)
      : QEvent(WM_WORKER_EVENT), Code(code), Text(std::move(text)) {}
  // Events never delivered are freed on the receiver's thread.
  ~TWorkerEvent() override { WorkerEventSync::Acquire(); }

  const TWorkerEventCode Code;
  const int64_t Value = 0;
  const THashFilePtr File;
  const QString Text;
};
