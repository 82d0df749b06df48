#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <thread>

#include "engine/DigrexList.h"
#include "worker/DigestTestData.h"
#include "worker/DigrexThread.h"

namespace {

constexpr int64_t Block = 262144;

struct TRecorded {
  TWorkerEventCode Code;
  int64_t Value;
  QString Text;
  THashFilePtr File;
};

// Records every worker event it receives, in order.
class TRecorder : public QObject {
 public:
  bool event(QEvent* e) override {
    const TWorkerEvent* w = TWorkerEvent::Accept(e);
    if (!w) return QObject::event(e);
    Events.push_back({w->Code, w->Value, w->Text, w->File});
    return true;
  }
  bool Has(TWorkerEventCode code) const {
    return std::any_of(Events.begin(), Events.end(), [code](const TRecorded& r) { return r.Code == code; });
  }
  // One line per event; file names without their folder.
  std::vector<std::string> Lines(const QString& folder) const {
    static const char* const names[] = {"begin", "error", "started", "finished", "info", "progress", "skipped", "busy", "idle"};
    std::vector<std::string> lines;
    for (const TRecorded& r : Events) {
      QString line = QString::fromLatin1(names[r.Code]);
      if (r.File) line += QLatin1Char(' ') + QFileInfo(r.File->FileName).fileName();
      else if (r.Code == weProgress) line += QLatin1Char(' ') + QString::number(r.Value);
      else if (r.Code == weFileSkipped) line += QLatin1Char(' ') + QFileInfo(r.Text).fileName();
      else if (r.Code == weError) line += QLatin1Char(' ') + QString(r.Text).replace(folder, QStringLiteral("<dir>"));
      lines.push_back(line.toStdString());
    }
    return lines;
  }
  THashFilePtr Record(const QString& name) const {
    for (const TRecorded& r : Events)
      if (r.Code == weFileStarted && QFileInfo(r.File->FileName).fileName() == name) return r.File;
    return nullptr;
  }
  std::vector<TRecorded> Events;
};

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000) {
  QDeadlineTimer deadline(milliseconds);
  for (;;) {
    QCoreApplication::processEvents();
    if (done()) return true;
    if (deadline.hasExpired()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// The worker with hooks into its block loop and buffer taking.
class TTestThread : public TDigrexThread {
 public:
  using TDigrexThread::TDigrexThread;
  ~TTestThread() override {
    Terminate();
    WaitFor();
  }
  std::function<void(const THashFile&, int64_t)> OnBlock;
  bool FailBuffers = false;

 protected:
  bool TakeBuffers(uint32_t blockSize, int64_t fileSize) override {
    return !FailBuffers && TDigrexThread::TakeBuffers(blockSize, fileSize);
  }
  void BlockDone(const THashFile& record, int64_t position) override {
    if (OnBlock) OnBlock(record, position);
  }
};

void ExpectHashes(const THashFilePtr& record, const QByteArray& data, THashTypes types) {
  ASSERT_TRUE(record);
  const THashList expected = Reference(data, types);
  ASSERT_EQ(record->Hashes.Types, expected.Types) << record->FileName.toStdString();
  for (int type = FirstHashType; type <= LastHashType; ++type)
    EXPECT_EQ(record->Hashes.GetHash(type), expected.GetHash(type)) << HashTypeToName(type).toStdString();
}

using Lines = std::vector<std::string>;

// Parameter: lane threads (1: one digester after another on the worker thread).
class DigrexThreadTest : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    Folder = Dir.path();
    Worker = std::make_unique<TTestThread>(GetParam());
    Worker->FileQueue = &Queue;
    Worker->SetWindow(&Recorder);
    Worker->SelectedTypes = AllHashTypes();
  }
  void TearDown() override { Worker.reset(); }

  QString Write(const QString& name, const QByteArray& data) {
    const QString path = Folder + QLatin1Char('/') + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
  }
  // Starts the worker on the queued names and waits for the batch to end.
  void RunUntil(TWorkerEventCode last) {
    Worker->Start();
    ASSERT_TRUE(WaitUntil([&] { return Recorder.Has(last); }));
  }
  // Waits until the body has ended, then takes every event it posted.
  void RunUntilEnded() {
    ASSERT_TRUE(WaitUntil([&] { return Worker->Finished(); }));
    QCoreApplication::processEvents();
  }
  Lines Events() const { return Recorder.Lines(Folder); }

  QTemporaryDir Dir;
  QString Folder;
  TFileQueue Queue;
  TRecorder Recorder;
  std::unique_ptr<TTestThread> Worker;
};

TEST_P(DigrexThreadTest, BatchAroundTheBlockSize) {
  const QByteArray empty, one = Pattern(Block), more = Pattern(Block + 1, 7);
  Queue.Push(Write("empty", empty));
  Queue.Push(Write("one", one));
  Queue.Push(Write("more", more));
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy",
                             "started empty", "info empty", "progress 0", "progress 100", "finished empty",
                             "started one", "info one", "progress 0", "progress 100", "progress 100", "finished one",
                             "started more", "info more", "progress 0", "progress 99", "progress 100", "progress 100",
                             "finished more", "idle"}));
  ExpectHashes(Recorder.Record("empty"), empty, AllHashTypes());
  ExpectHashes(Recorder.Record("one"), one, AllHashTypes());
  ExpectHashes(Recorder.Record("more"), more, AllHashTypes());
  EXPECT_EQ(Recorder.Record("more")->Properties.Size, Block + 1);
  EXPECT_TRUE(Recorder.Record("more")->Properties.Valid);
  EXPECT_EQ(Worker->BytesProcessed, 2 * Block + 1);
  EXPECT_FALSE(Worker->Busy);
}

TEST_P(DigrexThreadTest, NoTypeSelectedStillReadsTheFile) {
  Worker->SelectedTypes = 0;
  Queue.Push(Write("a", Pattern(300000)));
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "progress 87", "progress 100",
                             "progress 100", "finished a", "idle"}));
  EXPECT_EQ(Recorder.Record("a")->Hashes.Types, 0u);
  EXPECT_EQ(Worker->BytesProcessed, 300000);
}

TEST_P(DigrexThreadTest, SelectionChangeAffectsOnlyTheNextFile) {
  const QByteArray a = Pattern(2 * Block), b = Pattern(1000, 9);
  const THashTypes before = HashTypeBit(htCRC32) | HashTypeBit(htSHA1) | HashTypeBit(htED2K);
  const THashTypes after = HashTypeBit(htMD5);
  Worker->SelectedTypes = before;
  Worker->OnBlock = [&](const THashFile&, int64_t position) {
    if (position == Block) Worker->SelectedTypes = after;
  };
  Queue.Push(Write("a", a));
  Queue.Push(Write("b", b));
  RunUntil(weIdle);
  ExpectHashes(Recorder.Record("a"), a, before);
  ExpectHashes(Recorder.Record("b"), b, after);
}

TEST_P(DigrexThreadTest, SkipTheOnlyFile) {
  Worker->OnBlock = [&](const THashFile&, int64_t position) {
    if (position == Block) Worker->Skip();
  };
  Queue.Push(Write("a", Pattern(3 * Block)));
  RunUntil(weFileSkipped);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "progress 33", "idle", "skipped a"}));
  EXPECT_EQ(Recorder.Record("a")->Hashes.Types, 0u);
  EXPECT_EQ(Worker->BytesProcessed, Block);
  EXPECT_FALSE(Worker->SkipRequested);
}

TEST_P(DigrexThreadTest, SkipWithFilesWaiting) {
  const QByteArray b = Pattern(Block + 5, 3), c = Pattern(10, 4);
  Worker->OnBlock = [&](const THashFile& record, int64_t position) {
    if (record.FileName.endsWith(QLatin1String("/a")) && position == Block) Worker->Skip();
  };
  Queue.Push(Write("a", Pattern(3 * Block)));
  Queue.Push(Write("b", b));
  Queue.Push(Write("c", c));
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "progress 33", "skipped a",
                             "started b", "info b", "progress 0", "progress 99", "progress 100", "progress 100", "finished b",
                             "started c", "info c", "progress 0", "progress 100", "progress 100", "finished c", "idle"}));
  ExpectHashes(Recorder.Record("b"), b, AllHashTypes());
  ExpectHashes(Recorder.Record("c"), c, AllHashTypes());
  EXPECT_EQ(Worker->BytesProcessed, 2 * Block + 5 + 10);
}

TEST_P(DigrexThreadTest, CancelDropsTheWaitingFiles) {
  Worker->OnBlock = [&](const THashFile&, int64_t position) {
    if (position == Block) {
      Queue.Clear();
      Worker->Skip();
    }
  };
  Queue.Push(Write("a", Pattern(2 * Block)));
  Queue.Push(Write("b", Pattern(10)));
  RunUntil(weFileSkipped);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "progress 50", "idle", "skipped a"}));
}

TEST_P(DigrexThreadTest, FailuresAreReportedAndTheBatchGoesOn) {
  const QString fifo = Folder + QStringLiteral("/fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QDir(Folder).mkdir(QStringLiteral("folder")));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Folder + QStringLiteral("/device")));
  const QByteArray good = Pattern(5000);
  Queue.Push(Folder + QStringLiteral("/missing"));
  Queue.Push(Folder + QStringLiteral("/folder"));
  Queue.Push(fifo);
  Queue.Push(Folder + QStringLiteral("/device"));
  Queue.Push(Write("good", good));
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy",
                             "started missing", "error [EDigrexError] Failed to read file properties",
                             "started folder", "info folder", "error [EFOpenError] Unable to open file \"<dir>/folder\"",
                             "started fifo", "info fifo", "error [EFOpenError] Unable to open file \"<dir>/fifo\"",
                             "started device", "info device", "error [EFOpenError] Unable to open file \"<dir>/device\"",
                             "started good", "info good", "progress 0", "progress 100", "progress 100", "finished good",
                             "idle"}));
  EXPECT_EQ(Recorder.Record("missing")->ErrorText, QStringLiteral("[EDigrexError] Failed to read file properties"));
  EXPECT_FALSE(Recorder.Record("missing")->Properties.Valid);
  EXPECT_EQ(Recorder.Record("fifo")->ErrorText, QStringLiteral("[EFOpenError] Unable to open file \"%1\"").arg(fifo));
  ExpectHashes(Recorder.Record("good"), good, AllHashTypes());
}

TEST_P(DigrexThreadTest, UnreadableFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  const QString path = Write("locked", Pattern(10));
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
  Queue.Push(path);
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started locked", "info locked",
                             "error [EFOpenError] Unable to open file \"<dir>/locked\"", "idle"}));
}

TEST_P(DigrexThreadTest, FileThatShrinksFailsWithReadError) {
  const QString path = Write("a", Pattern(3 * Block));
  Worker->OnBlock = [&](const THashFile&, int64_t position) {
    if (position == Block) {
      ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), Block + 100), 0);
    }
  };
  Queue.Push(path);
  const QByteArray b = Pattern(Block + 3, 5);
  Queue.Push(Write("b", b));
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "progress 33",
                             "error [EReadError] Stream read error",
                             "started b", "info b", "progress 0", "progress 99", "progress 100", "progress 100", "finished b",
                             "idle"}));
  EXPECT_EQ(Recorder.Record("a")->ErrorText, QStringLiteral("[EReadError] Stream read error"));
  ExpectHashes(Recorder.Record("b"), b, AllHashTypes());
}

TEST_P(DigrexThreadTest, FileThatGrowsIsHashedToItsSizeWhenOpened) {
  const QByteArray a = Pattern(Block + 1000);
  const QString path = Write("a", a);
  Worker->OnBlock = [&](const THashFile&, int64_t position) {
    if (position != Block) return;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(Pattern(Block, 11));
  };
  Queue.Push(path);
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "progress 99", "progress 100",
                             "progress 100", "finished a", "idle"}));
  ExpectHashes(Recorder.Record("a"), a, AllHashTypes());
}

TEST_P(DigrexThreadTest, NoMemoryForTheBuffer) {
  Worker->FailBuffers = true;
  Queue.Push(Write("a", Pattern(10)));
  RunUntil(weIdle);
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "error [EOutOfMemory] Out of memory",
                             "idle"}));
}

TEST_P(DigrexThreadTest, MissingQueueEndsTheThread) {
  Worker->FileQueue = nullptr;
  Worker->Start();
  RunUntilEnded();
  EXPECT_EQ(Events(), (Lines{"begin", "error Thread queues are not assigned"}));
}

TEST_P(DigrexThreadTest, TerminateStopsTheFileInProgress) {
  Worker->OnBlock = [&](const THashFile&, int64_t position) {
    if (position == Block) Worker->Terminate();
  };
  Queue.Push(Write("a", Pattern(3 * Block)));
  Queue.Push(Write("b", Pattern(10)));
  Worker->Start();
  RunUntilEnded();
  EXPECT_EQ(Events(), (Lines{"begin", "busy", "started a", "info a", "progress 0", "progress 33"}));
  EXPECT_EQ(Recorder.Record("a")->Hashes.Types, 0u);
  EXPECT_EQ(Queue.Count(), 1);
}

// Shutdown as the main window does it: detach, terminate, destroy, all from
// the main thread while a long file is being read.
TEST_P(DigrexThreadTest, ShutdownDuringALargeFileIsPrompt) {
  const QString path = Folder + QStringLiteral("/large");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(int64_t(1) << 30));  // sparse: nothing is written
  }
  Worker->SelectedTypes = HashTypeBit(htMD2);  // slow enough to be caught in the middle
  Queue.Push(path);
  Worker->Start();
  ASSERT_TRUE(WaitUntil([&] { return Worker->BytesProcessed >= 2 * Block; }));
  const THashFilePtr record = Recorder.Record("large");
  const auto start = std::chrono::steady_clock::now();
  Worker->DetachWindow();
  Worker->Terminate();
  Worker.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  const size_t seen = Recorder.Events.size();
  QCoreApplication::processEvents();
  for (size_t i = seen; i < Recorder.Events.size(); ++i) EXPECT_EQ(Recorder.Events[i].Code, weProgress);
  EXPECT_FALSE(Recorder.Has(weFileFinished));
  EXPECT_FALSE(Recorder.Has(weIdle));
  EXPECT_EQ(record->Hashes.Types, 0u);
}

TEST_P(DigrexThreadTest, DetachedWorkerPostsNothing) {
  Worker->Start();
  ASSERT_TRUE(WaitUntil([&] { return Recorder.Has(weStarted); }));
  Worker->DetachWindow();
  Queue.Push(Write("a", Pattern(Block + 1)));
  ASSERT_TRUE(WaitUntil([&] { return Worker->BytesProcessed == Block + 1 && !Worker->Busy; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(Events(), Lines{"begin"});
}

INSTANTIATE_TEST_SUITE_P(Lanes, DigrexThreadTest, ::testing::Values(1u, 2u),
                         [](const ::testing::TestParamInfo<unsigned>& info) {
                           return info.param == 1 ? std::string("Sequential") : std::string("Parallel");
                         });

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
