// The main window: rows and ticks, the worker's events on screen, adding files,
// messages and the area's height, status panels and commands.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "AppTestSupport.h"
#include "app/StatusBar.h"
#include "dialogs/MessageBox.h"
#include "engine/HashTypes.h"
#include "worker/FileQueue.h"

namespace {

const char* const RowSuffixes[] = {"CRC32", "MD2", "MD4", "MD5", "SHA1", "SHA256", "SHA512", "RMD128", "RMD160", "ED2K"};

void WriteFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(data);
}

// The application object passes drop events on only during a real drag, so the
// test hands them to the window's event handler itself.
void Deliver(QObject& window, QEvent& event) { window.event(&event); }

QStringList QueuedPaths() {
  QStringList paths;
  QString p;
  while (SharedFileQueue.Pop(p)) paths << p;
  return paths;
}

THashFilePtr FinishedRecord(const QString& name, const QString& md5, const QString& crc) {
  auto record = std::make_shared<THashFile>(name);
  record->Properties.Size = 1234567;
  record->Properties.Attributes = 0x21;
  record->Properties.Valid = true;
  if (!md5.isEmpty()) record->Hashes.SetHash(htMD5, md5);
  if (!crc.isEmpty()) record->Hashes.SetHash(htCRC32, crc);
  return record;
}

}  // namespace

class TestFormMain : public QObject {
  Q_OBJECT

 private slots:
  void init() { SharedFileQueue.Clear(); }

  void rowsHaveTheirControlsAndTicks() {
    TTestWindow w;
    TFormMain& f = *w.form;
    for (int t = FirstHashType; t <= LastHashType; ++t) {
      const QString suffix = QString::fromLatin1(RowSuffixes[t - 1]);
      const THashRow& row = f.Rows[static_cast<size_t>(t)];
      QCOMPARE(row.CheckBox, f.findChild<QCheckBox*>(QStringLiteral("CheckBox") + suffix));
      QCOMPARE(row.CheckBox->text(), suffix);
      QCOMPARE(row.DigestEdit, f.findChild<QLineEdit*>(QStringLiteral("Edit") + suffix));
      QVERIFY(row.DigestEdit->isReadOnly());
      const QFontMetrics digits(row.DigestEdit->font());
      QCOMPARE(digits.horizontalAdvance(QLatin1Char('1')), digits.horizontalAdvance(QLatin1Char('W')));
      QCOMPARE(row.SelectButton, f.findChild<QToolButton*>(QStringLiteral("SB_Select") + suffix));
      QCOMPARE(row.CopyButton->objectName(), QStringLiteral("SB_Copy") + suffix);
      QCOMPARE(row.CompareButton->objectName(), QStringLiteral("SB_Compare") + suffix);
      QCOMPARE(row.CopyButton->statusTip(), QStringLiteral("Copy to clipboard (%1)").arg(HashTypeToName(t)));
      QCOMPARE(row.CompareButton->statusTip(), QStringLiteral("Compare hash (%1)").arg(HashTypeToName(t)));
      QVERIFY(!row.CopyButton->icon().isNull());
      QVERIFY(!row.CompareButton->icon().isNull());
      QVERIFY(!row.SelectButton->icon().isNull());
    }
    // Ticked from the settings (all ten by default), and the worker follows.
    QCOMPARE(f.GetTickedTypes(), AllHashTypes());
    QCOMPARE(f.Worker->SelectedTypes.load(), AllHashTypes());
  }

  void ticksDriveTheWorkerTypes() {
    TTestWindow w;
    TFormMain& f = *w.form;
    f.SetTickedTypes(HashTypeBit(htCRC32) | HashTypeBit(htSHA1));
    QCOMPARE(f.GetTickedTypes(), HashTypeBit(htCRC32) | HashTypeBit(htSHA1));
    QCOMPARE(f.Worker->SelectedTypes.load(), HashTypeBit(htCRC32) | HashTypeBit(htSHA1));
    // A click on a box.
    f.Rows[htSHA512].CheckBox->click();
    QCOMPARE(f.Worker->SelectedTypes.load(), HashTypeBit(htCRC32) | HashTypeBit(htSHA1) | HashTypeBit(htSHA512));
    // The select button of a row leaves that row alone ticked.
    f.TickAllTypes(true);
    f.Rows[htMD5].SelectButton->click();
    QCOMPARE(f.GetTickedTypes(), HashTypeBit(htMD5));
    QCOMPARE(f.Worker->SelectedTypes.load(), HashTypeBit(htMD5));
    // Short cuts: Ctrl and the equals key ticks all, Ctrl and minus none.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTest::keyClick(&f, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(f.GetTickedTypes(), AllHashTypes());
    QTest::keyClick(&f, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(f.GetTickedTypes(), THashTypes(0));
    QCOMPARE(f.Worker->SelectedTypes.load(), THashTypes(0));
  }

  void workerEventsShowOnScreen() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    auto record = std::make_shared<THashFile>(QStringLiteral("/data/abc.txt"));

    w.Post(weBusy);
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Working..."));
    w.Post(weFileStarted, record);
    QCOMPARE(f.FileLog.Count(), 1);
    QCOMPARE(f.StatusBar->PanelText(2), QStringLiteral("1"));
    QTRY_COMPARE(f.EditFile->text(), QStringLiteral("/data/abc.txt"));
    QCOMPARE(w.logViewer->Model->TotalRows(), 1);
    QCOMPARE(record->LogIndex, 0);

    record->Properties = {3, 45000.5, 45001.25, 0x21, true};
    w.Post(weFileInfo, record);
    QTRY_COMPARE(f.EditFileSize->text(), QStringLiteral("3 B"));
    QCOMPARE(f.EditAttributes->text(), QStringLiteral("R----A-"));
    QCOMPARE(f.EditFileTimeCreated->text(), QStringLiteral("2023-03-15 12:00:00"));
    QCOMPARE(f.EditFileTimeModified->text(), QStringLiteral("2023-03-16 06:00:00"));

    for (int p : {0, 12, 37}) w.Post(weProgress, p);
    QCOMPARE(f.StatusBar->PanelText(4), QStringLiteral("37%"));
    QTRY_COMPARE(f.ProgressBar->value(), 37);

    record->Hashes.SetHash(htCRC32, QStringLiteral("352441C2"));
    record->Hashes.SetHash(htMD5, QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    w.Post(weProgress, 100);
    w.Post(weFileFinished, record);
    QTRY_COMPARE(f.Rows[htMD5].DigestEdit->text(), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    QCOMPARE(f.Rows[htCRC32].DigestEdit->text(), QStringLiteral("352441c2"));  // the display's case
    QCOMPARE(f.Rows[htSHA1].DigestEdit->text(), QString());
    QVERIFY(w.logViewer->DigestColumnVisible(htMD5));
    QVERIFY(!w.logViewer->DigestColumnVisible(htSHA1));
    QCOMPARE(w.logViewer->RowsAsText(),
             QStringLiteral("1\t/data/abc.txt\t3\t352441C2\t900150983cd24fb0d6963f7d28e17f72\r\n"));

    w.Post(weIdle);
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Finished"));
    QCOMPARE(f.Messages->Count(), 0);

    // A failure: one error line and the worker's text under it.
    w.Post(weError, QStringLiteral("[EFOpenError] Unable to open file \"/x\""));
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Error"));
    QCOMPARE(f.Messages->Count(), 2);
    QVERIFY(f.Messages->Text(0).endsWith(QStringLiteral("] An error has occurred.")));
    QCOMPARE(f.Messages->Kind(0), mkError);
    QCOMPARE(f.Messages->Text(1), QStringLiteral("[EFOpenError] Unable to open file \"/x\""));
    QCOMPARE(f.Messages->Kind(1), mkDetail);

    // A skipped file: warning and path; no percentage any more.
    w.Post(weFileSkipped, QStringLiteral("/data/big.iso"));
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Cancelled"));
    QCOMPARE(f.StatusBar->PanelText(4), QString());
    QTRY_COMPARE(f.ProgressBar->value(), 0);
    QVERIFY(f.Messages->Text(2).endsWith(QStringLiteral("] File cancelled")));
    QCOMPARE(f.Messages->Text(3), QStringLiteral("/data/big.iso"));
    QCOMPARE(f.MessageSeverity(), mkError);
  }

  void aFileHashedByTheRealWorker() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("abc.txt"));
    WriteFile(path, "abc");
    TTestWindow w;
    TFormMain& f = *w.form;
    f.SetTickedTypes(HashTypeBit(htCRC32) | HashTypeBit(htMD5) | HashTypeBit(htSHA1));
    f.AddPathList({path});
    QTRY_COMPARE_WITH_TIMEOUT(f.Rows[htMD5].DigestEdit->text(), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"),
                              10000);
    QCOMPARE(f.Rows[htCRC32].DigestEdit->text(), QStringLiteral("352441c2"));  // shown in lower case
    QCOMPARE(f.Rows[htSHA1].DigestEdit->text(), QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d"));
    QCOMPARE(f.Rows[htSHA256].DigestEdit->text(), QString());
    QTRY_COMPARE(f.StatusBar->PanelText(5), QStringLiteral("Finished"));
    QCOMPARE(f.EditFile->text(), path);
    QCOMPARE(f.EditFileSize->text(), QStringLiteral("3 B"));
    QCOMPARE(f.FileLog.Count(), 1);
    QCOMPARE(f.StatusBar->PanelText(2), QStringLiteral("1"));
    QTRY_VERIFY(f.ActionClearLog->isEnabled());
    QVERIFY(!f.ActionSkip->isEnabled());
    QVERIFY(!f.ActionCancel->isEnabled());

    // Enter in the file box queues the same file again: a second log record.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.EditFile->setFocus();
    QTest::keyClick(f.EditFile, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(f.FileLog.Count(), 2, 10000);
    QCOMPARE(f.FileLog.Items(1)->FileName, path);
    QTRY_COMPARE(f.StatusBar->PanelText(5), QStringLiteral("Finished"));

    // Upper case chosen in the settings applies to the digests already shown.
    w.settings.UpperCaseHash = true;
    f.ApplySettings(false);
    QCOMPARE(f.Rows[htSHA1].DigestEdit->text(), QStringLiteral("A9993E364706816ABA3E25717850C26C9CD0D89D"));
  }

  void droppedFoldersAreWalkedFilesFirst() {
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("folder/sub")));
    QVERIFY(root.mkpath(QStringLiteral("empty")));
    WriteFile(root.filePath(QStringLiteral("folder/sub/c.txt")), "c");
    WriteFile(root.filePath(QStringLiteral("folder/a.txt")), "a");
    WriteFile(root.filePath(QStringLiteral("folder/.hidden")), "h");
    WriteFile(root.filePath(QStringLiteral("folder/b.txt")), "b");
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(f.Panel_DragAndDrop->isVisible());
    QVERIFY(f.Panel_HoldControl->isVisible());

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(root.filePath(QStringLiteral("folder")))});
    QDropEvent drop(QPointF(50, 150), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    Deliver(f, drop);
    QVERIFY(drop.isAccepted());
    QVERIFY(!f.Panel_DragAndDrop->isVisible());
    QVERIFY(!f.Panel_HoldControl->isVisible());
    QCOMPARE(f.StatusBar->PanelText(2), QStringLiteral("0 (4)"));
    const QStringList queued = QueuedPaths();
    QCOMPARE(queued.size(), 4);
    // The folder's own files first (in listing order, hidden ones too), then the subfolder's.
    QStringList firstThree = queued.mid(0, 3);
    firstThree.sort();
    const QString folder = root.filePath(QStringLiteral("folder"));
    QCOMPARE(firstThree, QStringList({folder + QStringLiteral("/.hidden"), folder + QStringLiteral("/a.txt"),
                                      folder + QStringLiteral("/b.txt")}));
    QCOMPARE(queued[3], folder + QStringLiteral("/sub/c.txt"));

    // An empty folder adds nothing and says nothing; a missing path gives a warning.
    mime.setUrls({QUrl::fromLocalFile(root.filePath(QStringLiteral("empty"))),
                  QUrl::fromLocalFile(root.filePath(QStringLiteral("missing.txt")))});
    QDropEvent drop2(QPointF(50, 150), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    Deliver(f, drop2);
    QVERIFY(QueuedPaths().isEmpty());
    QCOMPARE(f.Messages->Count(), 2);
    QVERIFY(f.Messages->Text(0).endsWith(QStringLiteral("] File not found")));
    QCOMPARE(f.Messages->Kind(0), mkWarning);
    QCOMPARE(f.Messages->Text(1), root.filePath(QStringLiteral("missing.txt")));
  }

  void commandLinePathsWaitForTheWindow() {
    TTestWindow w({QStringLiteral("--lang"), QStringLiteral("/no/such/file")}, false);
    TFormMain& f = *w.form;
    QCoreApplication::processEvents();
    QCOMPARE(f.Messages->Count(), 0);
    f.show();
    QTRY_COMPARE(f.Messages->Count(), 4);
    QCOMPARE(f.Messages->Text(1), QStringLiteral("--lang"));
    QCOMPARE(f.Messages->Text(3), QStringLiteral("/no/such/file"));
  }

  void messagesOpenAndShutTheArea() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const int collapsed = f.height();
    QCOMPARE(f.minimumHeight(), collapsed);
    QVERIFY(!f.MessagesVisible());
    QCOMPARE(f.CollapsedClientHeight(), collapsed);

    f.AddMessage(mkWarning, QStringLiteral("File not found"));
    QTRY_COMPARE(f.height(), collapsed + 80);
    QTRY_VERIFY(f.MessagesVisible());
    const QRegularExpression stamp(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] File not found$"));
    QVERIFY2(stamp.match(f.Messages->Text(0)).hasMatch(), qPrintable(f.Messages->Text(0)));
    f.AddMessageDetail(QStringLiteral("/a/b"));
    f.AddMessage(mkWarning, QStringLiteral("again"));
    QCOMPARE(f.height(), collapsed + 80);
    QCOMPARE(f.WarningCount, 2);

    // Copy Messages: every line with CR LF.
    f.ActionCopyMessages->trigger();
    const QString copied = QApplication::clipboard()->text();
    QCOMPARE(copied.count(QStringLiteral("\r\n")), 3);
    QVERIFY(copied.startsWith(f.Messages->Text(0) + QStringLiteral("\r\n/a/b\r\n")));

    // Toggle shuts and opens it again.
    f.ActionToggleMessages->trigger();
    QTRY_COMPARE(f.height(), collapsed);
    QVERIFY(!f.MessagesVisible());
    f.ActionToggleMessages->trigger();
    QTRY_COMPARE(f.height(), collapsed + 80);

    // Clear Messages shuts it and says so; the severity starts again from nothing.
    f.AddMessage(mkError, QStringLiteral("bad"));
    QCOMPARE(f.MessageSeverity(), mkError);
    f.ActionClearMessages->trigger();
    QTRY_COMPARE(f.height(), collapsed);
    QCOMPARE(f.Messages->Count(), 0);
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Messages cleared"));
    QCOMPARE(f.MessageSeverity(), mkDetail);
    f.AddMessageDetail(QStringLiteral("detail alone"));
    QCOMPARE(f.MessageSeverity(), mkDetail);
    f.AddMessage(mkWarning, QStringLiteral("w"));
    QCOMPARE(f.MessageSeverity(), mkWarning);

    // A maximised window is not resized; the lines still arrive.
    f.ClearMessages();
    f.showMaximized();
    QTRY_VERIFY(f.isMaximized() && f.height() > collapsed + 100);
    const int maximised = f.height();
    f.AddMessage(mkWarning, QStringLiteral("while maximised"));
    QCoreApplication::processEvents();
    QCOMPARE(f.height(), maximised);
    QCOMPARE(f.Messages->Count(), 1);
  }

  void statusPanelsShowCountsSpeedAndHints() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    QCOMPARE(f.StatusBar->PanelText(2), QString());
    for (int i = 0; i < 3; ++i) SharedFileQueue.Push(QStringLiteral("/q%1").arg(i));
    f.UpdateFileCount();
    QCOMPARE(f.StatusBar->PanelText(2), QStringLiteral("0 (3)"));
    SharedFileQueue.Clear();
    for (int i = 0; i < 1000; ++i) f.FileLog.Add(std::make_shared<THashFile>(QStringLiteral("/f")));
    for (int i = 0; i < 2500; ++i) SharedFileQueue.Push(QStringLiteral("/q"));
    f.UpdateFileCount();
    QCOMPARE(f.StatusBar->PanelText(2), QStringLiteral("1,000 (2,500)"));
    SharedFileQueue.Clear();

    f.SetSpeed(5000000);
    QCOMPARE(f.StatusBar->PanelText(3), QStringLiteral("4.77 MB/s"));
    f.SetSpeed(0);
    QCOMPARE(f.StatusBar->PanelText(3), QString());
    f.SetProgress(37);
    QCOMPARE(f.StatusBar->PanelText(4), QStringLiteral("37%"));
    f.SetProgress(-1);
    QCOMPARE(f.StatusBar->PanelText(4), QString());
    QTRY_COMPARE(f.ProgressBar->value(), 0);

    // The timer turns the byte count into a speed; an idle second empties it.
    f.LastSpeedTime -= 1.0 / 86400;
    f.LastSpeedBytes = 0;
    f.Worker->BytesProcessed = 5000000;
    QTest::qWait(0);
    QMetaObject::invokeMethod(f.TimerSpeed, "timeout");
    QVERIFY2(f.StatusBar->PanelText(3).endsWith(QStringLiteral("MB/s")), qPrintable(f.StatusBar->PanelText(3)));
    QMetaObject::invokeMethod(f.TimerSpeed, "timeout");
    QCOMPARE(f.StatusBar->PanelText(3), QString());

    // Hovering: panel 1 names Toggle Messages, panels 0 and 2 View Log, others nothing.
    f.resize(600, f.height());
    f.SetStatusText(QStringLiteral("Finished"));
    auto moveTo = [&f](int x) {
      QMouseEvent move(QEvent::MouseMove, QPointF(x, 5), f.StatusBar->mapToGlobal(QPointF(x, 5)), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(f.StatusBar, &move);
    };
    moveTo(45);
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Toggle Messages"));
    QCOMPARE(f.StatusBar->cursor().shape(), Qt::PointingHandCursor);
    moveTo(100);
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("View Log"));
    moveTo(250);
    QCOMPARE(f.StatusBar->PanelText(5), QString());
    QCOMPARE(f.StatusBar->cursor().shape(), Qt::ArrowCursor);

    // Hints of commands and buttons arrive as status tips; the Save Log button has its own.
    QStatusTipEvent tip(f.ActionSkip->statusTip());
    QApplication::sendEvent(&f, &tip);
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Skip current file"));
    QWidget* saveButton = f.MainToolBar->widgetForAction(f.ActionSaveLog);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(saveButton, &enter);
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Save Log"));
  }

  void busyFlagEnablesSkipCancelAndClearLog() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    f.Worker->Busy = true;
    w.Post(weBusy);
    QVERIFY(f.ActionSkip->isEnabled());
    QVERIFY(f.ActionCancel->isEnabled());
    QVERIFY(!f.ActionClearLog->isEnabled());
    // Cancel empties the queue and asks the worker to skip.
    SharedFileQueue.Push(QStringLiteral("/a"));
    f.ActionCancel->trigger();
    QCOMPARE(SharedFileQueue.Count(), 0);
    QVERIFY(f.Worker->SkipRequested.load());
    f.Worker->SkipRequested = false;
    f.Worker->Busy = false;
    w.Post(weIdle);
    QVERIFY(!f.ActionSkip->isEnabled());
    QVERIFY(f.ActionClearLog->isEnabled());
    // Escape in the file box while idle does nothing.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTest::keyClick(f.EditFile, Qt::Key_Escape);
    QVERIFY(!f.Worker->SkipRequested.load());
  }

  void clearLogKeepsTheDisplayAndRestartsNumbering() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    auto first = FinishedRecord(QStringLiteral("/one"), QStringLiteral("aa"), QString());
    w.Post(weFileStarted, first);
    w.Post(weFileFinished, first);
    f.ActionClearLog->trigger();
    QCOMPARE(f.FileLog.Count(), 0);
    QCOMPARE(w.logViewer->Model->TotalRows(), 0);
    QCOMPARE(f.StatusBar->PanelText(2), QString());
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Log cleared"));
    QTRY_COMPARE(f.Rows[htMD5].DigestEdit->text(), QStringLiteral("aa"));
    auto second = FinishedRecord(QStringLiteral("/two"), QString(), QStringLiteral("BB"));
    w.Post(weFileStarted, second);
    w.Post(weFileFinished, second);
    // MD5's column stays visible, empty.
    QCOMPARE(w.logViewer->RowsAsText(), QStringLiteral("1\t/two\t1,234,567\tBB\t\r\n"));
  }

  void comparisonModes() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    auto a = FinishedRecord(QStringLiteral("/a"), QStringLiteral("aa"), QString());
    auto b = FinishedRecord(QStringLiteral("/b"), QStringLiteral("AA"), QString());
    auto c = FinishedRecord(QStringLiteral("/c"), QString(), QStringLiteral("CC"));
    // Compare to next file with nothing logged before: stays armed.
    f.ActionCompareToNextFile->trigger();
    QVERIFY(f.ActionCompareToNextFile->isChecked());
    w.Post(weFileStarted, a);
    w.Post(weFileFinished, a);
    QVERIFY(f.ActionCompareToNextFile->isChecked());
    // The next one matches (same digest, other case): no message, mode off.
    w.Post(weFileStarted, b);
    w.Post(weFileFinished, b);
    QVERIFY(!f.ActionCompareToNextFile->isChecked());
    QCOMPARE(f.Messages->Count(), 0);
    // Compare next two files: the first finished file only arms the other mode.
    f.ActionCompareNextTwoFiles->trigger();
    w.Post(weFileStarted, c);
    w.Post(weFileFinished, c);
    QVERIFY(!f.ActionCompareNextTwoFiles->isChecked());
    QVERIFY(f.ActionCompareToNextFile->isChecked());
    auto d = FinishedRecord(QStringLiteral("/d"), QStringLiteral("dd"), QString());
    w.Post(weFileStarted, d);
    w.Post(weFileFinished, d);
    // d (MD5) and c (CRC32) share no type: a mismatch, current file first.
    QVERIFY(!f.ActionCompareToNextFile->isChecked());
    QCOMPARE(f.Messages->Count(), 3);
    QVERIFY(f.Messages->Text(0).endsWith(QStringLiteral("] Hashes of files do not match")));
    QCOMPARE(f.Messages->Text(1), QStringLiteral("/d"));
    QCOMPARE(f.Messages->Text(2), QStringLiteral("/c"));
  }

  void exportCopyAndRehashCommands() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    // Nothing hashed yet: five lines, labels followed by a blank.
    f.ActionExportToClipboard->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("\r\nFile size: \r\nAttributes: \r\nCreated: \r\nModified: \r\n"));
    // After hashing text: no path, one line per ticked type.
    f.SetTickedTypes(HashTypeBit(htCRC32) | HashTypeBit(htMD5));
    f.HashText("abc");
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("Text hashed"));
    f.ActionExportToClipboard->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("\r\nFile size: \r\nAttributes: \r\nCreated: \r\nModified: \r\n"
                            "CRC32: 352441c2\r\nMD5: 900150983cd24fb0d6963f7d28e17f72\r\n"));
    // The copy button copies the row as shown and names the type.
    f.Rows[htMD5].CopyButton->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("MD5 copied"));
    f.Rows[htSHA1].CopyButton->click();
    QCOMPARE(f.StatusBar->PanelText(5), QStringLiteral("SHA1 copied"));
    // Rehash with an empty (or blank) file box opens Add Files; a typed path is queued as typed.
    int dialogs = 0;
    f.ChooseFiles = [&dialogs](QWidget*) {
      ++dialogs;
      return QStringList();
    };
    f.EditFile->setText(QStringLiteral(" \t"));
    f.ActionRehashFile->trigger();
    QCOMPARE(dialogs, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x"));
    WriteFile(path, "x");
    f.EditFile->setText(path);
    f.ActionRehashFile->trigger();
    QCOMPARE(dialogs, 1);
    QCOMPARE(QueuedPaths(), QStringList({path}));
  }

  void languageChoiceAsksForARestart() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    TMessageBoxCapture boxes;
    w.settings.LanguageCode = QStringLiteral("DEFAULT");
    f.LanguageSelected(QStringLiteral("DEFAULT"));
    QCOMPARE(boxes.Boxes.size(), size_t(0));
    f.LanguageSelected(QStringLiteral("AUTOMATIC"));
    QCOMPARE(w.settings.LanguageCode, QStringLiteral("AUTOMATIC"));
    QCOMPARE(boxes.Boxes.size(), size_t(1));
    QCOMPARE(boxes.Boxes[0].Kind, TMessageBoxKind::Information);
    QCOMPARE(boxes.Boxes[0].Text,
             QStringLiteral("You have selected a different language.\r\n\r\nPlease restart the application."));
    // The menu: at least the built-in English entry, which is the ticked one here.
    QVERIFY(!f.MI_Language->actions().isEmpty());
    QCOMPARE(f.MI_Language->actions().first()->text(), QStringLiteral("Original (English)"));
  }

  void closingStoresTicksAndPosition() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.SetTickedTypes(HashTypeBit(htSHA256));
    QSignalSpy closed(&f, &TFormMain::Closed);
    QVERIFY(f.close());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(w.settings.HashTypes, HashTypeBit(htSHA256));
    QVERIFY(w.settings.MainForm.Valid);
    QCOMPARE(w.settings.MainForm.Width, f.width());
  }

  void rememberedPositionIsRestored() {
    TTestWindow w({}, false);
    w.settings.MainForm.FromText(QStringLiteral("1,40,50,700,500"));
    TFormMain& f = *w.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTRY_COMPARE(f.geometry(), QRect(40, 50, 700, 500));
  }

  void stayOnTopReachesOtherWindows() {
    TTestWindow w({}, false);
    w.settings.StayOnTop = true;
    TFormMain& f = *w.form;
    f.ApplySettings(true);
    QVERIFY(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    f.show();
    w.logViewer->show();
    QTRY_VERIFY(w.logViewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  }
};

QTEST_MAIN(TestFormMain)
#include "test_formmain.moc"
