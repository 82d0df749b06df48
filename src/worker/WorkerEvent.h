#pragma once
// The event the worker thread posts to its receiver (the main window). It is
// delivered on the receiver's thread in posting order; an event that is never
// delivered (receiver gone, application ending) frees its payload with it.
#include <QEvent>
#include <QString>
#include <cstdint>

#include "engine/HashFile.h"

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
  TWorkerEvent(TWorkerEventCode code, int64_t value) : QEvent(WM_WORKER_EVENT), Code(code), Value(value) {}
  TWorkerEvent(TWorkerEventCode code, THashFilePtr file)
      : QEvent(WM_WORKER_EVENT), Code(code), File(std::move(file)) {}
  TWorkerEvent(TWorkerEventCode code, QString text)
      : QEvent(WM_WORKER_EVENT), Code(code), Text(std::move(text)) {}

  const TWorkerEventCode Code;
  const int64_t Value = 0;
  const THashFilePtr File;
  const QString Text;
};
