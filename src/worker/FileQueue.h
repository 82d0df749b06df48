#pragma once
// The queue of file names between the main window and the worker thread.
#include <QString>
#include <deque>
#include <mutex>

// One text; also the payload type of the worker's text events.
class TStringObject {
 public:
  explicit TStringObject(QString text = QString()) : Text(std::move(text)) {}
  QString Text;
};

// First in, first out; not safe for two threads at once.
class TStringQueue {
 public:
  void Push(const QString& text);
  // The oldest text, removed; false (and an empty text) when the queue is empty.
  bool Pop(QString& text);
  int Count() const { return static_cast<int>(List.size()); }
  void Clear() { List.clear(); }

  // Items enter at the front and leave from the back.
  std::deque<TStringObject> List;
};

// A TStringQueue behind a lock, shared by the main window and the worker.
class TFileQueue {
 public:
  TFileQueue() = default;
  TFileQueue(const TFileQueue&) = delete;
  TFileQueue& operator=(const TFileQueue&) = delete;

  void Push(const QString& text);
  bool Pop(QString& text);
  int Count();
  void Clear();

  // Held for one queue operation at a time, never together with another lock.
  std::mutex Lock;
  TStringQueue Items;
};

// The process's one file queue; it outlives the main window and the worker.
extern TFileQueue SharedFileQueue;
