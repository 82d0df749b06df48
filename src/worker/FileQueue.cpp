#include "worker/FileQueue.h"

TFileQueue SharedFileQueue;

void TStringQueue::Push(const QString& text) { List.emplace_front(text); }

bool TStringQueue::Pop(QString& text) {
  if (List.empty()) {
    text.clear();
    return false;
  }
  text = std::move(List.back().Text);
  List.pop_back();
  return true;
}

void TFileQueue::Push(const QString& text) {
  std::lock_guard guard(Lock);
  Items.Push(text);
}

bool TFileQueue::Pop(QString& text) {
  text.clear();
  std::lock_guard guard(Lock);
  return Items.Pop(text);
}

int TFileQueue::Count() {
  std::lock_guard guard(Lock);
  return Items.Count();
}

void TFileQueue::Clear() {
  std::lock_guard guard(Lock);
  Items.Clear();
}
