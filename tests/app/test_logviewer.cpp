// The log viewer: rows as files start and finish, columns shown on first use,
// copying rows as tab-separated text, Ctrl+A, many rows.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "app/FormLogViewer.h"
#include "settings/FormLocation.h"

namespace {

THashFilePtr Record(const QString& name) { return std::make_shared<THashFile>(name); }

}  // namespace

class TestLogViewer : public QObject {
  Q_OBJECT

 private slots:
  void rowsFollowStartedAndFinishedFiles() {
    TFormLocation location;
    TFormLogViewer viewer(location);
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Log Viewer"));
    QCOMPARE(viewer.ListView->objectName(), QStringLiteral("ListView"));
    QVERIFY(viewer.TB_CopyToClipboard != nullptr);
    QVERIFY(!viewer.TB_CopyToClipboard->icon().isNull());
    QCOMPARE(viewer.TB_CopyToClipboard->text(), QStringLiteral("Copy to clipboard"));
    const QStringList captions = {QStringLiteral("#"), QStringLiteral("File"), QStringLiteral("Size")};
    for (int c = 0; c < 3; ++c) QCOMPARE(viewer.Model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), captions[c]);
    for (int t = FirstHashType; t <= LastHashType; ++t) {
      QCOMPARE(viewer.Model->headerData(viewer.DigestColumns[t], Qt::Horizontal, Qt::DisplayRole).toString(),
               HashTypeToName(t));
      QVERIFY(!viewer.DigestColumnVisible(t));
    }

    auto ok = Record(QStringLiteral("/data/abc.txt"));
    auto failed = Record(QStringLiteral("/data/locked.bin"));
    auto sha = Record(QStringLiteral("/data/sha.txt"));
    viewer.AddFile(ok);
    viewer.AddFile(failed);
    viewer.AddFile(sha);
    QCOMPARE(ok->LogIndex, 0);
    QCOMPARE(sha->LogIndex, 2);
    // Rows reach the table in a batch.
    QTRY_COMPARE(viewer.Model->rowCount(), 3);

    ok->Properties.Size = 1234;
    ok->Properties.Valid = true;
    ok->Hashes.SetHash(htCRC32, QStringLiteral("352441C2"));
    ok->Hashes.SetHash(htMD5, QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    viewer.UpdateFile(*ok);
    // A failed file keeps "#" and "File" only, even with properties read.
    failed->Properties.Size = 99;
    failed->Properties.Valid = true;
    sha->Hashes.SetHash(htSHA1, QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d"));
    viewer.UpdateFile(*sha);
    QVERIFY(viewer.DigestColumnVisible(htCRC32));
    QVERIFY(viewer.DigestColumnVisible(htMD5));
    QVERIFY(viewer.DigestColumnVisible(htSHA1));
    QVERIFY(!viewer.DigestColumnVisible(htSHA256));

    const QString all = QStringLiteral(
        "1\t/data/abc.txt\t1,234\t352441C2\t900150983cd24fb0d6963f7d28e17f72\t\r\n"
        "2\t/data/locked.bin\t\t\t\t\r\n"
        "3\t/data/sha.txt\t\t\t\ta9993e364706816aba3e25717850c26c9cd0d89d\r\n");
    QCOMPARE(viewer.RowsAsText(), all);
    viewer.TB_CopyToClipboard->click();
    QCOMPARE(QApplication::clipboard()->text(), all);
    QCOMPARE(viewer.Model->data(viewer.Model->index(0, 2), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
             int(Qt::AlignRight));

    // Selected rows only, in table order.
    viewer.ListView->selectionModel()->select(viewer.Model->index(2, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    viewer.ListView->selectionModel()->select(viewer.Model->index(0, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(viewer.RowsAsText(), all.section(QStringLiteral("\r\n"), 0, 0) + QStringLiteral("\r\n") +
                                      all.section(QStringLiteral("\r\n"), 2, 2) + QStringLiteral("\r\n"));

    // Ctrl+A selects every row.
    viewer.ListView->clearSelection();
    viewer.ListView->selectionModel()->select(viewer.Model->index(1, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyRelease(viewer.ListView, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(viewer.ListView->selectionModel()->selectedRows().size(), 3);

    // Clearing empties the table, keeps the columns, and numbering starts again.
    viewer.ClearRows();
    QCOMPARE(viewer.Model->rowCount(), 0);
    QCOMPARE(viewer.RowsAsText(), QString());
    QVERIFY(viewer.DigestColumnVisible(htSHA1));
    auto again = Record(QStringLiteral("/again"));
    viewer.AddFile(again);
    QCOMPARE(again->LogIndex, 0);
    QCOMPARE(viewer.RowsAsText(), QStringLiteral("1\t/again\t\t\t\t\r\n"));
  }

  void manyRowsStayCheap() {
    TFormLocation location;
    TFormLogViewer viewer(location);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    std::vector<THashFilePtr> records;
    for (int i = 0; i < 100000; ++i) {
      records.push_back(Record(QStringLiteral("/folder/file%1.bin").arg(i)));
      records.back()->Hashes.SetHash(htMD5, QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
      viewer.AddFile(records.back());
      viewer.UpdateFile(*records.back());
      if (i % 5000 == 0) QCoreApplication::processEvents();
    }
    QTRY_COMPARE(viewer.Model->rowCount(), 100000);
    viewer.ListView->scrollToBottom();
    QCoreApplication::processEvents();
    QCOMPARE(viewer.RowText(99999), QStringLiteral("100000\t/folder/file99999.bin\t\td41d8cd98f00b204e9800998ecf8427e"));
  }

  void rememberedLocationIsRestoredAndCaptured() {
    TFormLocation location;
    location.FromText(QStringLiteral("1,30,40,500,300"));
    TFormLogViewer viewer(location);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTRY_COMPARE(viewer.geometry(), QRect(30, 40, 500, 300));
    viewer.setGeometry(60, 70, 520, 310);
    viewer.hide();
    QVERIFY(location.Valid);
    QCOMPARE(location.AsText(), QStringLiteral("1,60,70,520,310"));
  }
};

QTEST_MAIN(TestLogViewer)
#include "test_logviewer.moc"
