// The real program under Xvfb: started with two files on its command line, it hashes
// them; the file information of the last one, exported to the clipboard with
// Ctrl+Shift+C (xdotool), is read back with xclip.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The keyboard-driven session with the real program, shared with the other tests that start it.
QString SessionScript() { return qEnvironmentVariable("DIGREX_TEST_SUPPORT") + QStringLiteral("/digrex_session.sh"); }

}  // namespace

class TestEndToEnd : public QObject {
  Q_OBJECT

 private slots:
  void digestsOfCommandLineFilesReachTheClipboard() {
    for (const char* tool : {"xvfb-run", "xdotool", "xclip"}) {
      if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
        QSKIP(qPrintable(QStringLiteral("%1 is not installed: the end-to-end test needs xvfb, xdotool and xclip")
                             .arg(QString::fromLatin1(tool))));
      }
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A copy of the program in its own folder keeps its Settings.ini out of the build folder.
    const QString program = dir.filePath(QStringLiteral("digrex"));
    QVERIFY(QFile::copy(QStringLiteral(DIGREX_BINARY), program));
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString last = dir.filePath(QStringLiteral("abc.txt"));
    for (const auto& [path, data] : {std::pair{first, QByteArray("first")}, std::pair{last, QByteArray("abc")}}) {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(data);
    }

    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A display number of its own, away from 99 where xvfb-run -a starts looking and from
    // the install test's; a second try when the display could not be reached at all, which
    // is the X server's trouble (a number taken at the same moment), not the program's.
    for (int attempt = 0; attempt < 2; ++attempt) {
      run.start(QStringLiteral("xvfb-run"),
                {QStringLiteral("-a"), QStringLiteral("-n"), QString::number(250 + QCoreApplication::applicationPid() % 100),
                 QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"), QStringLiteral("bash"), SessionScript(),
                 program, program + QStringLiteral(".log"), first, last});
      QVERIFY(run.waitForFinished(120000));
      QFile log(program + QStringLiteral(".log"));
      if (!log.open(QIODevice::ReadOnly) || !log.readAll().contains("could not connect to display")) break;
      qWarning("the X server could not be reached; trying again");
    }
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const bool exitedCleanly = lines.contains(QStringLiteral("EXIT 0"));
    if (run.exitCode() != 0 || lines.size() < 5 || !exitedCleanly) {
      QFile log(program + QStringLiteral(".log"));
      if (log.open(QIODevice::ReadOnly)) qWarning("digrex said:\n%s", log.readAll().constData());
    }
    QCOMPARE(run.exitCode(), 0);
    QVERIFY2(lines.size() >= 5, qPrintable(out));
    QCOMPARE(lines[0], last);
    QCOMPARE(lines[1], QStringLiteral("File size: 3 B"));
    QVERIFY2(lines.contains(QStringLiteral("CRC32: 352441c2")), qPrintable(out));
    QVERIFY2(lines.contains(QStringLiteral("MD5: 900150983cd24fb0d6963f7d28e17f72")), qPrintable(out));
    QVERIFY2(lines.contains(QStringLiteral("SHA1: a9993e364706816aba3e25717850c26c9cd0d89d")), qPrintable(out));
    QVERIFY2(lines.contains(QStringLiteral("ED2K: a448017aaf21d8525fc10ae87aa6729d")), qPrintable(out));
    // File, Exit closed the window, the program ended cleanly, and the settings were
    // written beside it.
    QVERIFY2(exitedCleanly, qPrintable(out));
    QTRY_VERIFY(QFile::exists(dir.filePath(QStringLiteral("Settings.ini"))));
  }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "test_e2e.moc"
