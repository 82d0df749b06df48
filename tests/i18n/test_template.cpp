// The translation template: the checked-in file is what digrex_template writes
// now, it holds the texts of every window, and it reads back as written.
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "app/TemplateWriter.h"
#include "i18n/Catalogue.h"
#include "i18n/ResourceStrings.h"

using namespace Qt::StringLiterals;

class TestTemplate : public QObject {
  Q_OBJECT
 private slots:
  void CheckedInTemplateIsCurrent();
  void CollectsEveryWindowAndResourceString();
  void ReadsBackAsWritten();
};

void TestTemplate::CheckedInTemplateIsCurrent() {
  QTemporaryDir dir;
  const QString generated = dir.filePath(u"Digrex.pot"_s);
  QProcess tool;
  tool.start(QStringLiteral(DIGREX_TEMPLATE_TOOL), {generated});
  QVERIFY(tool.waitForFinished(120000));
  QCOMPARE(tool.exitCode(), 0);
  QFile now(generated), checkedIn(QStringLiteral(DIGREX_TEMPLATE_FILE));
  QVERIFY(now.open(QIODevice::ReadOnly));
  QVERIFY2(checkedIn.open(QIODevice::ReadOnly), "data/Languages/Digrex.pot is missing");
  const QList<QByteArray> a = now.readAll().split('\n'), b = checkedIn.readAll().split('\n');
  for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
    const QByteArray want = a.value(i), have = b.value(i);
    if (want == have) continue;
    const QByteArray message = "data/Languages/Digrex.pot is out of date (line " + QByteArray::number(i + 1) +
                               ": has \"" + have + "\", the program now gives \"" + want +
                               "\"). Refresh it with: cmake --build build --target pot, then update the catalogues";
    QFAIL(message.constData());
  }
}

void TestTemplate::CollectsEveryWindowAndResourceString() {
  const QList<TTemplateEntry> entries = CollectTranslatableTexts();
  QHash<QString, QString> byKey;
  for (const TTemplateEntry& e : entries) {
    QVERIFY2(!byKey.contains(e.Key), qPrintable(e.Key));
    byKey.insert(e.Key, e.Source);
  }
  for (int i = 0; i < rs::Count; ++i) {
    const TResourceStringInfo& info = ResourceStringInfo(static_cast<rs::Id>(i));
    QCOMPARE(byKey.value(QString::fromLatin1(info.Key)), QString::fromUtf8(info.Source));
  }
  // A command, texts that windows translate themselves, and a control of each secondary window.
  QCOMPARE(byKey.value(u"TFORMMAIN.ACTIONADDFILES.CAPTION"_s), u"Add Files"_s);
  QCOMPARE(byKey.value(u"TFORMMAIN.TB_SAVELOG.HINT"_s), u"Save Log"_s);
  QVERIFY(byKey.contains(u"TFORMLOGVIEWER.LISTVIEW.COLUMNS[0].CAPTION"_s));
  for (const char* form : {"TFORMTEXT", "TFORMLOGVIEWER", "TFORMABOUT", "TFORMCOMPARE", "TFORMCOMPAREFILES",
                           "TFORMSAVELOG", "TFORMSETTINGS"}) {
    const QString prefix = QString::fromLatin1(form) + u'.';
    const bool found = std::any_of(entries.cbegin(), entries.cend(), [&](const TTemplateEntry& e) {
      return e.Key.startsWith(prefix) && e.Key != prefix + u"CAPTION"_s;
    });
    QVERIFY2(found, form);
  }
}

void TestTemplate::ReadsBackAsWritten() {
  QList<TTemplateEntry> entries = {
      {u"x.quote"_s, u"Say \"hi\" to C:\\temp\\"_s},
      {u"x.lines"_s, u"one\ntwo\tthree"_s},
      {u"x.unicode"_s, u"Caf\u00e9 \u05e9\u05dc\u05d5\u05dd"_s},
  };
  entries += CollectTranslatableTexts();
  // A catalogue made from the template by copying each English text into its translation.
  QByteArray catalogue;
  QByteArray lastSource;
  for (const QByteArray& line : FormatTemplate(entries).split('\n')) {
    if (line.startsWith("msgid ")) lastSource = line.sliced(6);
    catalogue += line == "msgstr \"\"" && lastSource != "\"\"" ? "msgstr " + lastSource : line;
    catalogue += '\n';
  }
  TCatalogue read;
  read.LoadFromData(catalogue);
  QCOMPARE(read.Entries().size(), entries.size());
  for (const TTemplateEntry& e : entries) QCOMPARE(read.Translate(e.Key, u"?"_s), e.Source);
}

QTEST_MAIN(TestTemplate)
#include "test_template.moc"
