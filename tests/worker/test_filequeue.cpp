#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "worker/FileQueue.h"

TEST(FileQueue, FirstInFirstOut) {
  TFileQueue queue;
  QString text = QStringLiteral("stale");
  EXPECT_FALSE(queue.Pop(text));
  EXPECT_TRUE(text.isEmpty());
  queue.Clear();

  for (const char* name : {"A", "", "C"}) queue.Push(QString::fromLatin1(name));
  EXPECT_EQ(queue.Count(), 3);
  for (const char* name : {"A", "", "C"}) {
    ASSERT_TRUE(queue.Pop(text));
    EXPECT_EQ(text, QString::fromLatin1(name));
  }
  EXPECT_FALSE(queue.Pop(text));
  EXPECT_TRUE(text.isEmpty());

  queue.Push(QStringLiteral("x"));
  queue.Push(QStringLiteral("y"));
  ASSERT_TRUE(queue.Pop(text));
  EXPECT_EQ(queue.Count(), 1);
  queue.Push(QStringLiteral("z"));
  queue.Clear();
  EXPECT_EQ(queue.Count(), 0);
  EXPECT_FALSE(queue.Pop(text));
}

TEST(FileQueue, ConcurrentPushAndPopLoseAndDuplicateNothing) {
  constexpr int count = 20000;
  TFileQueue queue;
  std::thread producer([&] {
    for (int i = 0; i < count; ++i) queue.Push(QString::number(i));
  });
  std::vector<QString> popped;
  QString text;
  while (static_cast<int>(popped.size()) < count) {
    if (queue.Pop(text)) popped.push_back(text);
    else std::this_thread::yield();
  }
  producer.join();
  for (int i = 0; i < count; ++i) ASSERT_EQ(popped[static_cast<size_t>(i)], QString::number(i));
  EXPECT_EQ(queue.Count(), 0);
}
