// The compare-files window: the report text, the pictures and the result.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "dialogs/FormCompareFiles.h"
#include "dialogs/MatchPictures.h"
#include "engine/HashFile.h"

namespace {

using TDigests = QList<QPair<int, QString>>;

THashFile Record(const QString& name, const TDigests& digests) {
  THashFile record(name);
  for (const auto& [type, text] : digests) record.Hashes.SetHash(type, text);
  return record;
}

// Digests of "abc" and of the empty input, as the digesters write them.
const QString CrcAbc = QStringLiteral("352441C2");
const QString Md5Abc = QStringLiteral("900150983cd24fb0d6963f7d28e17f72");
const QString Md5Empty = QStringLiteral("d41d8cd98f00b204e9800998ecf8427e");
const QString Sha1Abc = QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d");
const QString Sha1Empty = QStringLiteral("da39a3ee5e6b4b0d3255bfef95601890afd80709");

}  // namespace

class TestFormCompareFiles : public QObject {
  Q_OBJECT

 private slots:
  void reports_data() {
    QTest::addColumn<TDigests>("a");
    QTest::addColumn<TDigests>("b");
    QTest::addColumn<bool>("match");
    QTest::addColumn<QStringList>("report");

    QTest::newRow("one matches, one differs")
        << TDigests{{htCRC32, CrcAbc}, {htMD5, Md5Abc}} << TDigests{{htCRC32, CrcAbc}, {htMD5, Md5Empty}} << false
        << QStringList{"Result: 1 out of 2 available hashes matched.",
                       "",
                       "Matching: CRC32",
                       "* CRC32: 352441C2",
                       "",
                       "Not matching: MD5",
                       "* MD5: " + Md5Abc,
                       "* MD5: " + Md5Empty};
    QTest::newRow("nothing in common")
        << TDigests{{htCRC32, CrcAbc}} << TDigests{{htMD5, Md5Abc}} << false
        << QStringList{"Result: 0 out of 0 available hashes matched."};
    QTest::newRow("neither has digests")
        << TDigests{} << TDigests{} << false << QStringList{"Result: 0 out of 0 available hashes matched."};
    // Letter case does not count; a type only one file has is left out; A's digest is shown.
    QTest::newRow("all common types match")
        << TDigests{{htMD5, Md5Abc}, {htSHA1, Sha1Abc}, {htED2K, Md5Abc}}
        << TDigests{{htCRC32, CrcAbc}, {htMD5, Md5Abc.toUpper()}, {htSHA1, Sha1Abc}} << true
        << QStringList{"Result: 2 out of 2 available hashes matched.", "", "Matching: MD5,SHA1", "* MD5: " + Md5Abc,
                       "* SHA1: " + Sha1Abc};
    QTest::newRow("two differ")
        << TDigests{{htMD5, Md5Abc}, {htSHA1, Sha1Abc}} << TDigests{{htMD5, Md5Empty}, {htSHA1, Sha1Empty}} << false
        << QStringList{"Result: 0 out of 2 available hashes matched.",
                       "",
                       "Not matching: MD5,SHA1",
                       "* MD5: " + Md5Abc,
                       "* MD5: " + Md5Empty,
                       "* SHA1: " + Sha1Abc,
                       "* SHA1: " + Sha1Empty};
  }

  void reports() {
    QFETCH(TDigests, a);
    QFETCH(TDigests, b);
    QFETCH(bool, match);
    QFETCH(QStringList, report);
    const THashFile fileA = Record(QStringLiteral("/data/a b.txt"), a);
    const THashFile fileB = Record(QStringLiteral("/data/old/b.txt"), b);

    TFormCompareFiles form;
    QCOMPARE(form.CompareFiles(fileA, fileB), match);
    QVERIFY(form.isVisible());
    QCOMPARE(form.Memo_Notes->toPlainText(), report.join(QLatin1Char('\n')));
    QCOMPARE(form.Edit_FileA->text(), fileA.FileName);
    QCOMPARE(form.Edit_FileB->text(), fileB.FileName);
    QCOMPARE(form.Pictures->ImageGood->isVisible(), match);
    QCOMPARE(form.Pictures->ImageBad->isVisible(), !match);
  }

  void allTenTypesMatching() {
    THashFile a(QStringLiteral("/x/one"));
    THashFile b(QStringLiteral("/x/two"));
    QStringList expected{"Result: 10 out of 10 available hashes matched.", "",
                         "Matching: CRC32,MD2,MD4,MD5,SHA1,SHA256,SHA512,RipeMD128,RipeMD160,ED2K"};
    for (int type = FirstHashType; type <= LastHashType; ++type) {
      const QString digest = QString::number(type * 1111);
      a.Hashes.SetHash(type, digest);
      b.Hashes.SetHash(type, digest);
      expected << QStringLiteral("* ") + HashTypeToName(type) + QStringLiteral(": ") + digest;
    }
    bool match = false;
    QCOMPARE(TFormCompareFiles::ReportLines(a.Hashes, b.Hashes, match), expected);
    QVERIFY(match);
  }

  void laterComparisonReplacesEverything() {
    TFormCompareFiles form;
    form.CompareFiles(Record("/a", {{htMD5, Md5Abc}}), Record("/b", {{htMD5, Md5Abc}}));
    QVERIFY(!form.CompareFiles(Record("/c", {{htMD5, Md5Abc}}), Record("/d", {{htMD5, Md5Empty}})));
    QCOMPARE(form.Edit_FileA->text(), QStringLiteral("/c"));
    QVERIFY(!form.Memo_Notes->toPlainText().contains(QStringLiteral("Matching:")));
    QVERIFY(form.Pictures->ImageBad->isVisible());
  }

  void windowAndControls() {
    TFormCompareFiles form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Compare Files"));
    QCOMPARE(form.Label_FileA->text(), QStringLiteral("File A:"));
    QCOMPARE(form.Label_FileB->text(), QStringLiteral("File B:"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Additional information:"));
    QVERIFY(form.Edit_FileA->isReadOnly() && form.Edit_FileB->isReadOnly() && form.Memo_Notes->isReadOnly());
    QCOMPARE(form.Memo_Notes->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(!form.isModal());
    for (const char* name : {"Label_FileA", "Edit_FileA", "Label_FileB", "Edit_FileB", "Image_Good", "Image_Bad",
                             "Label1", "Memo_Notes"})
      QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
  }
};

QTEST_MAIN(TestFormCompareFiles)
#include "test_formcomparefiles.moc"
